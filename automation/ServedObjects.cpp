#include "automation/ServedObjects.h"
#include "core/RuntimeError.h"
#include "deck/CharacterSpan.h"

#include <cmath>

namespace quillora::automation {
namespace {

[[noreturn]] void outOfRange()
{
    throw RuntimeError(RuntimeError::tr(kValueOutOfRange));
}

// Collections count from 1.
void checkItemNumber(int number, int count)
{
    if (number < 1 || number > count)
        outOfRange();
}

// Where an object stands: its application, and as far down as it reaches,
// its presentation, slide, shape and the shape's text.
struct Place {
    std::shared_ptr<Application> app;
    std::shared_ptr<ServedSession> session;
    std::shared_ptr<DocumentBackend> document;
    std::shared_ptr<SlideBackend> slide;
    std::shared_ptr<ShapeBackend> shape;
    std::shared_ptr<TextBackend> text;

    // This place, one step further down.
    template <class T>
    Place with(std::shared_ptr<T> Place::*step, std::shared_ptr<T> value) const
    {
        Place further = *this;
        further.*step = std::move(value);
        return further;
    }
};

// A run of a shape's text as a range addresses it: the whole text, which
// follows every change, or a 1-based start and a length that are clipped
// to the text as it is now.
struct Span {
    int start = 1;
    int length = 0;
    bool whole = true;

    // 0-based, in a text of `total` characters.
    int from(int total) const { return whole ? 0 : deck::clippedSpanStart(start, total) - 1; }
    int count(int total) const { return whole ? total : deck::clippedSpanLength(start, length, total); }
};

int lengthOf(TextBackend& text)
{
    return static_cast<int>(text.text().size());
}

// An object of the model at its place; the text's objects also cover a run.
template <class Interface>
class Served : public Interface {
public:
    explicit Served(Place place, Span span = {}) : m_place(std::move(place)), m_span(span) {}

protected:
    Place m_place;
    Span m_span;
};

class ServedFont final : public Served<Font> {
public:
    using Served::Served;
    void setSize(float points) override
    {
        if (!std::isfinite(points) || points < 1.0f || points > 4000.0f)
            outOfRange();
        const int total = lengthOf(*m_place.text);
        m_place.text->setFontSize(m_span.from(total), m_span.count(total), points);
    }
};

class ServedBullet final : public Served<BulletFormat> {
public:
    using Served::Served;
    void setVisible(int visible) override
    {
        if (visible != kTrue && visible != kFalse)
            outOfRange();
        apply(visible == kTrue ? BulletChange::Shown : BulletChange::Hidden);
    }
    // None, unnumbered (a bullet character), numbered.
    void setType(int type) override
    {
        static constexpr BulletChange kTypes[] = {BulletChange::Hidden, BulletChange::Unnumbered,
                                                  BulletChange::Numbered};
        if (type < 0 || type > 2)
            outOfRange();
        apply(kTypes[type]);
    }

private:
    void apply(BulletChange change)
    {
        const int total = lengthOf(*m_place.text);
        m_place.text->setBullet(m_span.from(total), m_span.count(total), change);
    }
};

class ServedParagraphFormat final : public Served<ParagraphFormat> {
public:
    using Served::Served;
    Ref<BulletFormat> bullet() override { return std::make_shared<ServedBullet>(m_place, m_span); }
};

class ServedTextRange final : public Served<TextRange> {
public:
    using Served::Served;
    QString text() override
    {
        const QString all = m_place.text->text();
        const int total = static_cast<int>(all.size());
        return all.mid(m_span.from(total), m_span.count(total));
    }
    void setText(const QString& text) override
    {
        if (m_span.whole) {
            m_place.text->replaceAll(text);
            return;
        }
        const int total = lengthOf(*m_place.text);
        m_place.text->replace(m_span.from(total), m_span.count(total), text);
        // The range now covers what it was given.
        m_span.length = static_cast<int>(text.size());
    }
    Ref<TextRange> characters(int start, int length) override
    {
        const int total = lengthOf(*m_place.text);
        const std::optional<deck::CharacterSpan> sub =
            deck::subSpan(m_span.from(total) + 1, m_span.count(total), start, length);
        if (!sub)
            outOfRange();
        return std::make_shared<ServedTextRange>(m_place, Span{sub->start, sub->length, false});
    }
    Ref<ParagraphFormat> paragraphFormat() override { return std::make_shared<ServedParagraphFormat>(m_place, m_span); }
    Ref<Font> font() override { return std::make_shared<ServedFont>(m_place, m_span); }
    Ref<TextFrame> parent() override;
};

class ServedSlide final : public Served<Slide> {
public:
    using Served::Served;
    Ref<Shapes> shapes() override;
    void select() override
    {
        m_place.slide->select();
        m_place.session->active = m_place.document;
    }
    Ref<Slide> duplicate() override
    {
        return std::make_shared<ServedSlide>(m_place.with(&Place::slide, m_place.slide->duplicate()));
    }
};

class ServedShape final : public Served<Shape> {
public:
    using Served::Served;
    Ref<TextFrame> textFrame() override;
    Ref<Slide> parent() override { return std::make_shared<ServedSlide>(m_place); }
};

class ServedTextFrame final : public Served<TextFrame> {
public:
    using Served::Served;
    Ref<TextRange> textRange() override { return std::make_shared<ServedTextRange>(m_place); }
    Ref<Shape> parent() override { return std::make_shared<ServedShape>(m_place); }
};

Ref<TextFrame> ServedShape::textFrame()
{
    std::shared_ptr<TextBackend> text = m_place.shape->text();
    if (!text)
        throw RuntimeError(RuntimeError::tr(kNoTextFrame));
    return std::make_shared<ServedTextFrame>(m_place.with(&Place::text, std::move(text)));
}

Ref<TextFrame> ServedTextRange::parent()
{
    return std::make_shared<ServedTextFrame>(m_place);
}

class ServedShapes final : public Served<Shapes> {
public:
    using Served::Served;
    Ref<Shape> item(qint16 index) override
    {
        checkItemNumber(index, m_place.slide->shapeCount());
        return std::make_shared<ServedShape>(m_place.with(&Place::shape, m_place.slide->shape(index)));
    }
    Ref<Shape> item(const QString& name) override
    {
        std::shared_ptr<ShapeBackend> shape = m_place.slide->shape(name);
        if (!shape)
            throw RuntimeError(RuntimeError::tr(kShapeNameNotFound).arg(name));
        return std::make_shared<ServedShape>(m_place.with(&Place::shape, std::move(shape)));
    }
    Ref<Shape> title() override
    {
        std::shared_ptr<ShapeBackend> shape = m_place.slide->title();
        if (!shape)
            throw RuntimeError(RuntimeError::tr(kNoTitle));
        return std::make_shared<ServedShape>(m_place.with(&Place::shape, std::move(shape)));
    }
};

Ref<Shapes> ServedSlide::shapes()
{
    return std::make_shared<ServedShapes>(m_place);
}

class ServedSlides final : public Served<Slides> {
public:
    using Served::Served;
    Ref<Slide> item(qint16 index) override
    {
        checkItemNumber(index, m_place.document->slideCount());
        return std::make_shared<ServedSlide>(m_place.with(&Place::slide, m_place.document->slide(index)));
    }
};

class ServedPresentation final : public Served<Presentation> {
public:
    using Served::Served;
    Ref<Slides> slides() override { return std::make_shared<ServedSlides>(m_place); }
};

class ServedPresentations final : public Served<Presentations> {
public:
    using Served::Served;
    Ref<Presentation> open(const QString& fileName) override
    {
        std::shared_ptr<DocumentBackend> document = m_place.session->backend->open(fileName);
        m_place.session->active = document;
        return std::make_shared<ServedPresentation>(m_place.with(&Place::document, std::move(document)));
    }
};

// The active presentation's selection, whichever that is when it is cleared.
class ServedSelection final : public Served<Selection> {
public:
    using Served::Served;
    void unselect() override
    {
        const std::shared_ptr<DocumentBackend> active = m_place.session->active.lock();
        m_place.session->backend->clearSelection(active.get());
    }
};

class ServedWindow final : public Served<DocumentWindow> {
public:
    using Served::Served;
    Ref<Selection> selection() override { return std::make_shared<ServedSelection>(m_place); }
};

} // namespace

Ref<Presentations> servedPresentations(std::shared_ptr<Application> app, std::shared_ptr<ServedSession> session)
{
    return std::make_shared<ServedPresentations>(Place{std::move(app), std::move(session), {}, {}, {}, {}});
}

Ref<DocumentWindow> servedWindow(std::shared_ptr<Application> app, std::shared_ptr<ServedSession> session)
{
    return std::make_shared<ServedWindow>(Place{std::move(app), std::move(session), {}, {}, {}, {}});
}

} // namespace quillora::automation
