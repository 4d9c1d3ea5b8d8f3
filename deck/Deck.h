#pragma once
// Quillora's own presentation engine: opens an Office Open XML presentation
// (.pptx, whatever the file is called), edits the text of its shapes the way
// PowerPoint's automation object model does, and saves it again.
//
// Ownership: a Presentation owns everything reached from it. Slides and
// shapes are created once, when the presentation is opened, and live at a
// fixed address until the Presentation is destroyed, so references to them
// stay valid for its whole life. A TextRange is a small value that points at
// its Shape; it must not outlive the Presentation either.
//
// Numbers count from 1, as PowerPoint counts them. Every failure is a
// DeckError whose what() is a short plain description.

#include "deck/XmlElement.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

namespace quillora::deck {

class DeckError : public std::runtime_error {
public:
    // What went wrong, for callers that word it their own way.
    enum class Kind {
        Refused,    // the file or its content cannot be used; the description says why
        OutOfRange, // a position, count or value outside what the object has or takes
        NoSuchName, // no shape by that name
    };
    explicit DeckError(const QString& description, Kind kind = Kind::Refused);
    QString description() const { return QString::fromUtf8(what()); }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

inline constexpr char kOutOfRangeDescription[] = "The position or value is out of range.";

// What a paragraph shows before its text.
enum class BulletKind { None, Character, Number };

class Presentation;
class Slide;
class Shape;
class TextRange;

namespace detail {
struct PresentationData;
struct SlideData;
struct ShapeData;
} // namespace detail

class Presentation {
public:
    // Reads the file at path. The format is recognised by content: a legacy
    // binary presentation, a file that is not a zip package, a package
    // without a presentation and damaged XML are all refused with a DeckError.
    static std::unique_ptr<Presentation> open(const QString& path);
    // The same from bytes in memory; name is what path() reports.
    static std::unique_ptr<Presentation> fromBytes(const QByteArray& bytes, const QString& name = {});

    ~Presentation();
    Presentation(const Presentation&) = delete;
    Presentation& operator=(const Presentation&) = delete;

    // Writes the package to path through a temporary file beside it that is
    // renamed over the target only once it is complete. Parts that were not
    // edited are written back byte for byte.
    void saveAs(const QString& path);
    // The whole package as it would be saved.
    QByteArray toBytes();

    QString path() const; // the file it was opened from
    // The program that saved it, as its extended properties name it
    // ("LibreOffice/7.4…"); empty when they do not say.
    QString savedBy() const;
    int slideCount() const;
    Slide& slide(int number); // 1-based, presentation order
    // A copy of slide `number` as it stands now (shapes, text, layout,
    // pictures; not its speaker notes) placed right after it; the slides
    // after it move one number on. The new slide.
    Slide& duplicateSlide(int number);
    // The presentation part's root (p:presentation: slide size, default
    // text style), read-only.
    XmlElement element() const;

private:
    Presentation();
    std::unique_ptr<detail::PresentationData> d;
    friend struct detail::PresentationData;
};

class Slide {
public:
    ~Slide();
    Slide(const Slide&) = delete;
    Slide& operator=(const Slide&) = delete;

    int number() const; // 1-based position in the presentation
    int shapeCount() const;
    Shape& shape(int number);          // 1-based, z-order (back to front)
    Shape& shape(const QString& name); // the first shape with that name
    Presentation& presentation();

    // The slide part's root (p:sld: its background, its shape tree),
    // read-only, as it stands: a shape's text edit shows there once that
    // shape's element() was asked for.
    XmlElement element();
    // The roots of the parts the slide's shapes inherit from, read-only:
    // its layout (p:sldLayout), the layout's master (p:sldMaster) and the
    // master's theme (a:theme). Null when the package has no such part;
    // DeckError when the part is not well-formed XML.
    XmlElement layoutElement();
    XmlElement masterElement();
    XmlElement themeElement();

    // The bytes of the part that a relationship of the part holding
    // `element` (the slide's own, its layout's or its master's) points to,
    // such as a picture's, and that part's name. Empty when there is no such
    // relationship or it points outside the package: nothing outside is
    // ever fetched.
    QByteArray relatedBytes(XmlElement element, const QString& relationshipId, QString* partName = nullptr);

private:
    Slide();
    std::unique_ptr<detail::SlideData> d;
    friend struct detail::PresentationData;
    friend struct detail::SlideData;
    friend struct detail::ShapeData;
    friend class Shape;
};

class Shape {
public:
    ~Shape();
    Shape(const Shape&) = delete;
    Shape& operator=(const Shape&) = delete;

    QString name() const;
    int number() const; // 1-based z-order position on its slide
    bool hasTextFrame() const;
    // The range that holds the shape's whole text; DeckError when the shape
    // has no text frame.
    TextRange textRange();
    // The range over `length` characters from the 1-based `start` (at most
    // one past the last character), its length clipped at the end; other
    // starts and negative lengths are out of range.
    TextRange textRange(int start, int length);
    Slide& slide();

    // The shape's element (p:sp, p:pic, ...), read-only, with every text
    // edit made so far already in it.
    XmlElement element();
    // True once the shape's text was changed through a TextRange.
    bool textChanged() const;
    // Makes the text body shrink its text on overflow (a:normAutofit) by
    // this much: font sizes times fontScale, line spacing less
    // lineSpacingReduction, both in thousandths of a percent as the file
    // keeps them (100000 is 100 %). 100000 and 0 are written as nothing,
    // so text that fits keeps a plain a:normAutofit. Replaces any other
    // autofit the shape itself says; DeckError without a text frame, and
    // OutOfRange for a fontScale outside 1000..100000 or a reduction
    // outside 0..100000.
    void setTextFitScale(int fontScale, int lineSpacingReduction);

private:
    Shape();
    std::unique_ptr<detail::ShapeData> d;
    friend struct detail::PresentationData;
    friend struct detail::SlideData;
    friend class TextRange;
};

// A run of characters in one shape's text. The shape's text is one string in
// which "\r" ends a paragraph, the "\n" of a "\r\n" pair opens the paragraph
// that follows, and any other "\n" or "\v" is a line break.
class TextRange {
public:
    QString text() const;
    int start() const;  // 1-based position in the shape's text
    int length() const; // in characters (UTF-16 code units)

    // Replaces the range's characters. Afterwards the range covers the
    // inserted text (the whole-text range stays the whole text).
    void setText(const QString& text);

    // A sub-range, relative to this one: start is 1-based, length -1 means
    // one character, a start past the end gives the last character, lengths
    // are clipped at the end; on empty text the empty range at the start.
    TextRange characters(int start, int length) const;

    // Paragraph formatting: applies to every paragraph the range touches.
    void setBulletVisible(bool visible); // off, or on with the kind it had
    void setBulletKind(BulletKind kind);
    // Character formatting: exactly the range's characters.
    void setFontSize(double points);

    Shape& shape() const;

private:
    TextRange(Shape& shape, int start, int length, bool whole);
    Shape* m_shape;
    int m_start;
    int m_length;
    bool m_whole;
    friend class Shape;
};

} // namespace quillora::deck
