#pragma once
// The presentation application's object model as the builder drives it:
// application, presentations, slides, shapes, text frames, text ranges and
// their formats, and the window state (active window, selection).
//
// Every object is reached through a Ref, a counted reference that its holder
// gives up explicitly with release(). Using a Ref that was never set or was
// already released fails with "Object variable not set", so a step that
// depends on an earlier failed step fails in turn instead of crashing.
// Any member may fail; failures are RuntimeError with a short description.

#include "core/RuntimeError.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <type_traits>
#include <utility>

namespace quillora::automation {

inline constexpr char kObjectVariableNotSet[] = QT_TRANSLATE_NOOP("RuntimeError", "Object variable not set");
// How the object model words an index or value it does not take, and a
// shape name a slide does not have.
inline constexpr char kValueOutOfRange[] = QT_TRANSLATE_NOOP("RuntimeError", "The specified value is out of range.");
inline constexpr char kShapeNameNotFound[] = QT_TRANSLATE_NOOP("RuntimeError", "Item %1 not found in the Shapes collection.");
inline constexpr char kNoTitle[] = QT_TRANSLATE_NOOP("RuntimeError", "This slide does not contain a title.");

template <class T>
class Ref {
public:
    Ref() = default;
    // Implicit, so an object's member can return its concrete object as is.
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(std::shared_ptr<U> object) : m_object(std::move(object)) // NOLINT(google-explicit-constructor)
    {
    }

    T* operator->() const
    {
        if (!m_object)
            throw RuntimeError(RuntimeError::tr(kObjectVariableNotSet));
        return m_object.get();
    }

    // Gives the reference up; releasing an empty reference does nothing.
    void release() { m_object.reset(); }
    bool isNothing() const { return !m_object; }
    const std::shared_ptr<T>& shared() const { return m_object; }

private:
    std::shared_ptr<T> m_object;
};

class Application;
class Presentations;
class Presentation;
class Slides;
class Slide;
class Shapes;
class Shape;
class TextFrame;
class TextRange;
class ParagraphFormat;
class BulletFormat;
class Font;
class DocumentWindow;
class Selection;

// Values the object model uses for on/off and bullet kinds.
inline constexpr int kTrue = -1;
inline constexpr int kFalse = 0;
inline constexpr int kBulletUnnumbered = 1;
// Characters(): a length of -1 stands for "omitted", i.e. one character.
inline constexpr int kOmittedLength = -1;

class Application {
public:
    virtual ~Application() = default;
    // The default member: the application's name.
    virtual QString defaultMember() = 0;
    virtual void setVisible(bool visible) = 0;
    virtual Ref<Presentations> presentations() = 0;
    virtual Ref<DocumentWindow> activeWindow() = 0;
};

class Presentations {
public:
    virtual ~Presentations() = default;
    // Opens the file named by the one named argument fileName; every other
    // open option keeps the application's default.
    virtual Ref<Presentation> open(const QString& fileName) = 0;
};

class Presentation {
public:
    virtual ~Presentation() = default;
    virtual Ref<Slides> slides() = 0;
};

class Slides {
public:
    virtual ~Slides() = default;
    // 1-based.
    virtual Ref<Slide> item(qint16 index) = 0;
};

class Slide {
public:
    virtual ~Slide() = default;
    virtual Ref<Shapes> shapes() = 0;
    // Makes this slide the selected one in its presentation's window.
    virtual void select() = 0;
    // A copy of the slide as it stands now, placed right after it; the
    // slides after it move one number on.
    virtual Ref<Slide> duplicate() = 0;
};

class Shapes {
public:
    virtual ~Shapes() = default;
    // 1-based number, or the shape's name.
    virtual Ref<Shape> item(qint16 index) = 0;
    virtual Ref<Shape> item(const QString& name) = 0;
    // The slide's title placeholder; fails when the slide has none.
    virtual Ref<Shape> title() = 0;
};

class Shape {
public:
    virtual ~Shape() = default;
    virtual Ref<TextFrame> textFrame() = 0;
    // The slide that holds the shape.
    virtual Ref<Slide> parent() = 0;
};

class TextFrame {
public:
    virtual ~TextFrame() = default;
    // The range over the frame's whole text.
    virtual Ref<TextRange> textRange() = 0;
    virtual Ref<Shape> parent() = 0;
};

class TextRange {
public:
    virtual ~TextRange() = default;
    virtual QString text() = 0;
    // Replaces the range's text.
    virtual void setText(const QString& text) = 0;
    // A sub-range: 1-based start; length kOmittedLength means one character.
    virtual Ref<TextRange> characters(int start, int length) = 0;
    virtual Ref<ParagraphFormat> paragraphFormat() = 0;
    virtual Ref<Font> font() = 0;
    virtual Ref<TextFrame> parent() = 0;
};

class ParagraphFormat {
public:
    virtual ~ParagraphFormat() = default;
    virtual Ref<BulletFormat> bullet() = 0;
};

class BulletFormat {
public:
    virtual ~BulletFormat() = default;
    // kTrue or kFalse.
    virtual void setVisible(int visible) = 0;
    virtual void setType(int type) = 0;
};

class Font {
public:
    virtual ~Font() = default;
    virtual void setSize(float points) = 0;
};

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    virtual Ref<Selection> selection() = 0;
};

class Selection {
public:
    virtual ~Selection() = default;
    // Leaves nothing selected in the window.
    virtual void unselect() = 0;
};

} // namespace quillora::automation
