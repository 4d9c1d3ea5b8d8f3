#pragma once
// What a presentation server does for the object model (ServedObjects.h):
// open a presentation, reach its slides and their shapes, read and replace
// a shape's text, set bullets and sizes, select and show. The model checks
// every argument, resolves the collections and words every failure; a
// backend only does what it is asked, with positions already within the
// text, and fails only where its own presentation fails it.
//
// Our engine serves it over deck/, the Impress plugin over UNO. Header-only,
// so the plugin needs no Quillora library for it.

#include <QString>
#include <memory>

namespace quillora::automation {

class DocumentBackend;
class SlideBackend;
class ShapeBackend;
class TextBackend;

// One application's server.
class PresentationBackend {
public:
    virtual ~PresentationBackend() = default;
    // Shows the application's window, or lets it be hidden.
    virtual void setVisible(bool visible) = 0;
    // Opens the file in a window of its own.
    virtual std::shared_ptr<DocumentBackend> open(const QString& fileName) = 0;
    // Leaves nothing selected in the window of `active`, the presentation
    // last opened or selected (null when there is none).
    virtual void clearSelection(DocumentBackend* active);
};

class DocumentBackend {
public:
    virtual ~DocumentBackend() = default;
    virtual int slideCount() = 0;
    // 1..slideCount(), in presentation order.
    virtual std::shared_ptr<SlideBackend> slide(int number) = 0;
    virtual void clearSelection() = 0;
};

class SlideBackend {
public:
    virtual ~SlideBackend() = default;
    virtual int shapeCount() = 0;
    // 1..shapeCount(), back to front.
    virtual std::shared_ptr<ShapeBackend> shape(int number) = 0;
    // The first shape of that name; null when there is none.
    virtual std::shared_ptr<ShapeBackend> shape(const QString& name) = 0;
    // The title placeholder; null when there is none.
    virtual std::shared_ptr<ShapeBackend> title() = 0;
    // Makes this the slide its presentation's window shows selected.
    virtual void select() = 0;
    // A copy placed right after this slide.
    virtual std::shared_ptr<SlideBackend> duplicate() = 0;
};

class ShapeBackend {
public:
    virtual ~ShapeBackend() = default;
    // The shape's text; null when the shape has no text frame.
    virtual std::shared_ptr<TextBackend> text() = 0;
};

// What a bullet change asks of every paragraph it touches.
enum class BulletChange {
    Hidden,
    Shown, // with the kind the paragraph had, where the server keeps one
    Unnumbered,
    Numbered,
};

// One shape's text as one string: "\r" ends a paragraph, the "\n" of a
// "\r\n" pair opens the next one, any other "\n" or "\v" is a line break.
// Positions are 0-based; start and start + count lie within the text.
class TextBackend {
public:
    virtual ~TextBackend() = default;
    virtual QString text() = 0;
    virtual void replaceAll(const QString& text) = 0;
    virtual void replace(int start, int count, const QString& text) = 0;
    // Every paragraph the run touches; an empty run touches the one it is in.
    virtual void setBullet(int start, int count, BulletChange change) = 0;
    // Exactly the run's characters; points lie within 1..4000.
    virtual void setFontSize(int start, int count, float points) = 0;
};

inline void PresentationBackend::clearSelection(DocumentBackend* active)
{
    if (active)
        active->clearSelection();
}

} // namespace quillora::automation
