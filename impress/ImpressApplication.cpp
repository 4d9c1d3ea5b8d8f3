// The presentation application's object model over a live Impress.
//
// Every object keeps the application (and with it the connection) alive.
// Text ranges share one ShapeText per shape, so positions taken from one
// range's text hold for every other range of the same shape.

#include "automation/PassOnObjects.h"
// The checks expect this name from a running application.
#include "automation/PresentationAppWords.h"
#include "impress/ImpressOffice.h"
#include "impress/ShapeText.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XIndexReplace.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cmath>
#include <algorithm>
#include <map>
#include <vector>

namespace quillora::impress {
namespace {

using namespace automation;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

inline constexpr char kOutOfRange[] = QT_TRANSLATE_NOOP("RuntimeError", "The specified value is out of range.");
inline constexpr char kNoTextFrame[] = QT_TRANSLATE_NOOP("RuntimeError", "This shape does not have a text frame");
inline constexpr char kBulletCharacter[] = "\u2022";

[[noreturn]] void outOfRange()
{
    throw RuntimeError(RuntimeError::tr(kOutOfRange));
}

// How every presentation is opened. As a new document made from the file
// (AsTemplate): the user's deck is untitled, so Save asks where to save it
// and never writes over the working copy the next run replaces; the file
// is not locked, and opening it again makes another document beside the
// first instead of showing the one already open. Nothing the file carries
// runs and nobody is asked about its macros, whatever the profile's macro
// security says.
Sequence<css::beans::PropertyValue> loadArguments(bool hidden)
{
    std::vector<css::beans::PropertyValue> arguments(2);
    arguments[0].Name = "AsTemplate";
    arguments[0].Value <<= true;
    arguments[1].Name = "MacroExecutionMode";
    arguments[1].Value <<= css::document::MacroExecMode::NEVER_EXECUTE;
    if (hidden) {
        arguments.emplace_back();
        arguments.back().Name = "Hidden";
        arguments.back().Value <<= true;
    }
    return Sequence<css::beans::PropertyValue>(arguments.data(), static_cast<sal_Int32>(arguments.size()));
}

enum class BulletKind { None, Character, Number };

// What the plugin keeps of one shape. Every call over the pipe is a round
// trip to the office, so the shape has one cursor, made once and moved as
// little as it can be: it remembers its selection (Impress positions of the
// text as it is now) and reaches the next one in at most two moves. The
// numbering rules of each bullet kind are built once and handed to every
// paragraph that takes that kind.
//
// Impress's cursor moves from the end of its selection: goRight(n) moves
// the end n on, goLeft(n) puts the start n before the end; without
// expanding, either then collapses at the position reached. setString
// selects what it inserted.
struct ShapeState {
    Reference<css::text::XText> text;
    Reference<css::text::XTextCursor> cursor;
    Reference<css::beans::XMultiPropertySet> cursorProperties;
    std::map<BulletKind, Reference<css::container::XIndexReplace>> rules;
    // The kind each paragraph was given since the text last changed.
    std::map<int, BulletKind> bullets;

    // The shape's text, read from Impress when first wanted: a shape the
    // writer clears first never needs reading.
    ShapeText& model()
    {
        if (!m_modelRead) {
            // Impress gives "\n" between paragraphs and for a line break
            // alike; both take one position, which is what counts here.
            const QString all = fromUno(uno([&] { return text->getString(); }));
            const QStringList paragraphs = all.split(QLatin1Char('\n'));
            m_model = ShapeText::fromParagraphs(std::vector<QString>(paragraphs.begin(), paragraphs.end()));
            m_modelRead = true;
        }
        return m_model;
    }
    bool modelRead() const { return m_modelRead; }
    // The model after the whole text was replaced by `text`.
    void replacedAll(const QString& text)
    {
        m_model = ShapeText();
        m_model.replace(0, 0, text);
        m_modelRead = true;
    }

    // Selects the whole text, whatever it holds.
    const Reference<css::text::XTextCursor>& selectAll()
    {
        m_known = false;
        cursor->gotoStart(false);
        cursor->gotoEnd(true);
        // The end is not known until the next insertion sets it.
        m_start = 0;
        m_end = -1;
        m_known = true;
        return cursor;
    }

    // Selects Impress positions from..to. Positions are the model's: call
    // before the model takes a change.
    const Reference<css::text::XTextCursor>& select(int from, int to)
    {
        // A call that fails on the way leaves the cursor somewhere unknown.
        const bool known = m_known && m_end >= 0;
        m_known = false;
        if (!known) {
            const int end = model().officePosition(model().length());
            if (to <= end - to) {
                cursor->gotoStart(false);
                m_start = m_end = 0;
            } else {
                cursor->gotoEnd(false);
                m_start = m_end = end;
            }
        }
        if (m_start == from && m_end == to) {
            // already there
        } else if (from == to && m_start == from) {
            cursor->collapseToStart();
            m_end = from;
        } else if (from == to && m_end == from) {
            cursor->collapseToEnd();
            m_start = from;
        } else {
            if (m_end != to)
                moveEnd(to - m_end);
            if (from != to)
                extendStart(to - from);
        }
        m_known = true;
        return cursor;
    }
    // The cursor collapsed at position `at`, counted from the start.
    void place(int at)
    {
        m_known = false;
        cursor->gotoStart(false);
        m_start = m_end = 0;
        m_known = true;
        select(at, at);
    }
    // Call forget() before a setString, and this after it returned.
    void inserted(int length)
    {
        m_end = m_start + length;
        m_known = true;
    }
    // After a call that leaves the cursor somewhere else.
    void forget() { m_known = false; }

private:
    // Collapsed at the end moved by delta.
    void moveEnd(int delta)
    {
        for (int left = delta; left != 0;) {
            const int step = std::clamp(left, -32767, 32767);
            if (step > 0)
                cursor->goRight(static_cast<sal_Int16>(step), false);
            else
                cursor->goLeft(static_cast<sal_Int16>(-step), false);
            left -= step;
        }
        m_start = m_end = m_end + delta;
    }
    // The start put count positions before the end.
    void extendStart(int count)
    {
        // goLeft counts from the end: only one call can widen to the start.
        if (count > 32767) {
            const int from = m_end - count;
            const int to = m_end;
            moveEnd(from - m_end);
            for (int left = to - from; left > 0; left -= 32767)
                cursor->goRight(static_cast<sal_Int16>(std::min(left, 32767)), true);
            m_start = from;
            m_end = to;
            return;
        }
        cursor->goLeft(static_cast<sal_Int16>(count), true);
        m_start = m_end - count;
    }

    ShapeText m_model;
    bool m_modelRead = false;
    bool m_known = false;
    int m_start = 0, m_end = 0;
};

struct Document {
    Reference<css::frame::XModel> model;
    Reference<css::util::XModifiable> modifiable;
    Reference<css::drawing::XDrawPages> pages;
    Reference<css::drawing::XDrawView> view; // the document window's, once a slide was selected
    QString path;
    // By the shape's proxy, one per shape while referenced (which the
    // entry does); asking for its identity would cost a call.
    std::map<css::drawing::XShape*, std::pair<Reference<css::drawing::XShape>, std::shared_ptr<ShapeState>>> shapes;

    // Impress does not count changes made through the API: without this,
    // closing it would drop the filled deck without asking. Marked when the
    // deck opens and whenever a slide is selected (the writer selects a
    // shape's slide before writing into it, and a run ends selecting slide
    // 1) rather than after every change, which would cost a call each.
    void markModified() { modifiable->setModified(true); }

    std::shared_ptr<ShapeState> stateOf(const Reference<css::drawing::XShape>& shape,
                                        const Reference<css::text::XText>& text)
    {
        auto found = shapes.find(shape.get());
        if (found != shapes.end())
            return found->second.second;
        auto state = std::make_shared<ShapeState>();
        state->text = text;
        state->cursor = text->createTextCursor();
        state->cursorProperties.set(state->cursor, UNO_QUERY_THROW);
        shapes.emplace(shape.get(), std::make_pair(shape, state));
        return state;
    }
};
using Doc = std::shared_ptr<Document>;

class ImpressApp;
using App = std::shared_ptr<ImpressApp>;

class ImpressApp final : public office::OfficeApplication, public std::enable_shared_from_this<ImpressApp> {
public:
    explicit ImpressApp(office::OfficeOptions options) : m_options(std::move(options)) {}

    QString defaultMember() override { return QLatin1String(kRunningApplicationName); }
    void setVisible(bool) override { ensureConnected(); }
    Ref<Presentations> presentations() override;
    Ref<DocumentWindow> activeWindow() override;

    void connect(qint64 timeoutMs) override
    {
        if (!m_connection.desktop.is())
            m_connection = connectOffice(m_options, timeoutMs);
    }
    void ensureConnected() { connect(office::kOfficeConnectTimeoutMs); }

    Doc open(const QString& fileName)
    {
        ensureConnected();
        const QFileInfo file(fileName);
        if (!file.isFile())
            throw RuntimeError(RuntimeError::tr("File not found"));
        // Our working copy's lock file, left by an earlier run or an office
        // that was killed, would stop the load with a question.
        QFile::remove(file.absolutePath() + QStringLiteral("/.~lock.") + file.fileName() + QLatin1Char('#'));
        const QString url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
        auto doc = std::make_shared<Document>();
        doc->path = fileName;
        uno([&] {
            Reference<css::frame::XComponentLoader> loader(m_connection.desktop, UNO_QUERY_THROW);
            Reference<css::lang::XComponent> component = loader->loadComponentFromURL(
                toUno(url), m_options.headless ? OUString("_blank") : OUString("_default"), 0,
                loadArguments(m_options.headless));
            doc->model.set(component, UNO_QUERY);
            doc->modifiable.set(component, UNO_QUERY);
            Reference<css::drawing::XDrawPagesSupplier> pages(component, UNO_QUERY);
            if (!doc->model.is() || !doc->modifiable.is() || !pages.is()) {
                Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
                if (closeable.is())
                    closeable->close(true);
                throw RuntimeError(RuntimeError::tr("LibreOffice Impress could not open the presentation %1").arg(fileName));
            }
            doc->pages = pages->getDrawPages();
            doc->markModified();
        });
        m_docs.push_back(doc);
        m_active = doc;
        return doc;
    }
    void activate(const Doc& doc) { m_active = doc; }
    Doc active() const { return m_active; }

private:
    office::OfficeOptions m_options;
    Connection m_connection;
    std::vector<Doc> m_docs;
    Doc m_active;
};

class IFont final : public Font {
public:
    IFont(App app, Doc doc, std::shared_ptr<ShapeState> state, Span span)
        : m_app(std::move(app)), m_doc(std::move(doc)), m_state(std::move(state)), m_span(span)
    {
    }
    void setSize(float points) override
    {
        if (!std::isfinite(points) || points < 1.0f || points > 4000.0f)
            outOfRange();
        const ShapeText& model = m_state->model();
        const int start = m_span.startIn(model) - 1;
        const int from = model.officePosition(start);
        const int to = model.officePosition(start + m_span.lengthIn(model));
        if (from == to)
            return;
        uno([&] {
            m_state->select(from, to);
            const OUString name("CharHeight");
            const Any value(points);
            m_state->cursorProperties->setPropertyValues(Sequence<OUString>(&name, 1), Sequence<Any>(&value, 1));
        });
    }

private:
    App m_app;
    Doc m_doc;
    std::shared_ptr<ShapeState> m_state;
    Span m_span;
};

// The shape's numbering rules with level 0 showing the kind, built once
// from the paragraph under the cursor when the kind is first wanted.
const Reference<css::container::XIndexReplace>& rulesFor(ShapeState& state, BulletKind kind)
{
    Reference<css::container::XIndexReplace>& rules = state.rules[kind];
    if (rules.is())
        return rules;
    const OUString name("NumberingRules");
    rules.set(state.cursorProperties->getPropertyValues(Sequence<OUString>(&name, 1))[0], UNO_QUERY_THROW);
    Sequence<css::beans::PropertyValue> level;
    rules->getByIndex(0) >>= level;
    std::vector<css::beans::PropertyValue> values(level.begin(), level.end());
    auto put = [&](const char* name, const Any& value) {
        for (auto& v : values) {
            if (v.Name.equalsAscii(name)) {
                v.Value = value;
                return;
            }
        }
        css::beans::PropertyValue added;
        added.Name = OUString::createFromAscii(name);
        added.Value = value;
        values.push_back(added);
    };
    switch (kind) {
    case BulletKind::None:
        put("NumberingType", Any(css::style::NumberingType::NUMBER_NONE));
        break;
    case BulletKind::Character:
        put("NumberingType", Any(css::style::NumberingType::CHAR_SPECIAL));
        put("BulletChar", Any(OUString::fromUtf8(kBulletCharacter)));
        break;
    case BulletKind::Number:
        put("NumberingType", Any(css::style::NumberingType::ARABIC));
        break;
    }
    rules->replaceByIndex(0, Any(Sequence<css::beans::PropertyValue>(values.data(), static_cast<sal_Int32>(values.size()))));
    return rules;
}

// Turns the bullet of the paragraph under the shape's cursor on or off.
// Impress shows a bullet from the paragraph's numbering rules at its level;
// off takes both the rule level and the paragraph's own flag, or the
// master's bullet comes back.
void applyBullet(ShapeState& state, BulletKind kind)
{
    const Reference<css::container::XIndexReplace>& rules = rulesFor(state, kind);
    // One call for the three (names in alphabetical order, as the
    // interface asks).
    const OUString names[] = {"NumberingIsNumber", "NumberingLevel", "NumberingRules"};
    const Any values[] = {Any(kind != BulletKind::None), Any(sal_Int16(0)), Any(rules)};
    state.cursorProperties->setPropertyValues(Sequence<OUString>(names, 3), Sequence<Any>(values, 3));
}

class IBullet final : public BulletFormat {
public:
    IBullet(App app, Doc doc, std::shared_ptr<ShapeState> state, Span span)
        : m_app(std::move(app)), m_doc(std::move(doc)), m_state(std::move(state)), m_span(span)
    {
    }
    void setVisible(int visible) override
    {
        if (visible != kTrue && visible != kFalse)
            outOfRange();
        apply(visible == kTrue ? BulletKind::Character : BulletKind::None);
    }
    void setType(int type) override
    {
        static constexpr BulletKind kKinds[] = {BulletKind::None, BulletKind::Character, BulletKind::Number};
        if (type < 0 || type > 2)
            outOfRange();
        apply(kKinds[type]);
    }

private:
    // Every paragraph the range touches.
    void apply(BulletKind kind)
    {
        const ShapeText& model = m_state->model();
        const int start = m_span.startIn(model) - 1;
        const int length = m_span.lengthIn(model);
        const int first = model.paragraphAt(start);
        const int last = length > 0 ? model.paragraphAt(start + length - 1) : first;
        uno([&] {
            for (int k = first; k <= last; ++k) {
                // Turning a bullet on and then choosing its kind asks for
                // the same paragraph twice.
                auto given = m_state->bullets.find(k);
                if (given != m_state->bullets.end() && given->second == kind)
                    continue;
                const int at = model.paragraphStart(k);
                m_state->select(at, at);
                applyBullet(*m_state, kind);
                m_state->bullets[k] = kind;
            }
        });
    }

    App m_app;
    Doc m_doc;
    std::shared_ptr<ShapeState> m_state;
    Span m_span;
};

class IParagraphFormat final : public ParagraphFormat {
public:
    IParagraphFormat(App app, Doc doc, std::shared_ptr<ShapeState> state, Span span)
        : m_app(std::move(app)), m_doc(std::move(doc)), m_state(std::move(state)), m_span(span)
    {
    }
    Ref<BulletFormat> bullet() override { return std::make_shared<IBullet>(m_app, m_doc, m_state, m_span); }

private:
    App m_app;
    Doc m_doc;
    std::shared_ptr<ShapeState> m_state;
    Span m_span;
};

class ISlide final : public Slide {
public:
    ISlide(App app, Doc doc, Reference<css::drawing::XDrawPage> page)
        : m_app(std::move(app)), m_doc(std::move(doc)), m_page(std::move(page))
    {
    }
    Ref<Shapes> shapes() override;
    void select() override
    {
        uno([&] {
            if (!m_doc->view.is())
                m_doc->view.set(m_doc->model->getCurrentController(), UNO_QUERY_THROW);
            m_doc->view->setCurrentPage(m_page);
            m_doc->markModified();
        });
        m_app->activate(m_doc);
    }

private:
    App m_app;
    Doc m_doc;
    Reference<css::drawing::XDrawPage> m_page;
};

struct ShapeHandle {
    App app;
    Doc doc;
    Reference<css::drawing::XDrawPage> page;
    Reference<css::drawing::XShape> shape;
    Reference<css::text::XText> text; // once asked for its text frame
};

class IShape final : public Shape {
public:
    explicit IShape(ShapeHandle handle) : m_handle(std::move(handle)) {}
    Ref<TextFrame> textFrame() override;
    Ref<Slide> parent() override { return std::make_shared<ISlide>(m_handle.app, m_handle.doc, m_handle.page); }

private:
    ShapeHandle m_handle;
};

class ITextRange final : public TextRange {
public:
    ITextRange(ShapeHandle handle, std::shared_ptr<ShapeState> state, Span span)
        : m_handle(std::move(handle)), m_state(std::move(state)), m_span(span)
    {
    }
    QString text() override
    {
        const ShapeText& model = m_state->model();
        return model.text().mid(m_span.startIn(model) - 1, m_span.lengthIn(model));
    }
    void setText(const QString& text) override;
    // The whole text replaced without reading it first.
    void replaceAll(const QString& text);
    Ref<TextRange> characters(int start, int length) override
    {
        Span sub;
        if (!m_span.characters(m_state->model(), start, length, sub))
            outOfRange();
        return std::make_shared<ITextRange>(m_handle, m_state, sub);
    }
    Ref<ParagraphFormat> paragraphFormat() override
    {
        return std::make_shared<IParagraphFormat>(m_handle.app, m_handle.doc, m_state, m_span);
    }
    Ref<Font> font() override { return std::make_shared<IFont>(m_handle.app, m_handle.doc, m_state, m_span); }
    Ref<TextFrame> parent() override;

private:
    ShapeHandle m_handle;
    std::shared_ptr<ShapeState> m_state;
    Span m_span;
};

// Writes the pieces over the cursor's selection, which begins at `from`:
// the first piece replaces it, the rest follow.
void write(ShapeState& state, const std::vector<OfficePiece>& pieces, int from)
{
    const Reference<css::text::XTextCursor>& cursor = state.cursor;
    if (pieces.empty() || pieces.front().lineBreak) {
        state.forget();
        cursor->setString(OUString());
        state.inserted(0);
    }
    int at = from;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const OfficePiece& piece = pieces[i];
        if (i > 0)
            state.place(at);
        state.forget();
        if (piece.lineBreak) {
            state.text->insertControlCharacter(cursor->getStart(), css::text::ControlCharacter::LINE_BREAK, false);
        } else {
            cursor->setString(toUno(piece.text));
            state.inserted(officeLength(piece));
        }
        at += officeLength(piece);
    }
}

void ITextRange::setText(const QString& text)
{
    if (m_span.whole && !m_state->modelRead()) {
        replaceAll(text);
        return;
    }
    ShapeText& model = m_state->model();
    const int start = m_span.startIn(model) - 1;
    const int length = m_span.lengthIn(model);
    const int from = model.officePosition(start);
    const int to = model.officePosition(start + length);
    ShapeState& state = *m_state;
    // Whatever happens below, the paragraphs may no longer be the ones
    // whose bullets were set.
    state.bullets.clear();
    uno([&] {
        state.select(from, to);
        write(state, officePieces(text), from);
    });
    model.replace(start, length, text);
    if (!m_span.whole)
        m_span.length = static_cast<int>(text.size());
}

void ITextRange::replaceAll(const QString& text)
{
    ShapeState& state = *m_state;
    state.bullets.clear();
    uno([&] {
        state.selectAll();
        write(state, officePieces(text), 0);
    });
    state.replacedAll(text);
}

class ITextFrame final : public TextFrame {
public:
    explicit ITextFrame(ShapeHandle handle) : m_handle(std::move(handle)) {}
    Ref<TextRange> textRange() override
    {
        std::shared_ptr<ShapeState> state = uno([&] { return m_handle.doc->stateOf(m_handle.shape, m_handle.text); });
        return std::make_shared<ITextRange>(m_handle, state, Span{});
    }
    Ref<Shape> parent() override { return std::make_shared<IShape>(m_handle); }

private:
    ShapeHandle m_handle;
};

Ref<TextFrame> IShape::textFrame()
{
    ShapeHandle handle = m_handle;
    if (!handle.text.is())
        handle.text = uno([&] { return Reference<css::text::XText>(m_handle.shape, UNO_QUERY); });
    if (!handle.text.is())
        throw RuntimeError(RuntimeError::tr(kNoTextFrame));
    return std::make_shared<ITextFrame>(handle);
}

Ref<TextFrame> ITextRange::parent()
{
    return std::make_shared<ITextFrame>(m_handle);
}

// The shape a draw page's getByIndex holds; taken from the Any without a
// query (which would cost a call) when it holds one.
Reference<css::drawing::XShape> shapeFrom(const Any& item)
{
    Reference<css::drawing::XShape> shape;
    if (!(item >>= shape) || !shape.is())
        shape.set(item, UNO_QUERY_THROW);
    return shape;
}

class IShapes final : public Shapes {
public:
    IShapes(App app, Doc doc, Reference<css::drawing::XDrawPage> page)
        : m_app(std::move(app)), m_doc(std::move(doc)), m_page(std::move(page))
    {
    }
    Ref<Shape> item(qint16 index) override
    {
        return uno([&] {
            if (index < 1 || index > m_page->getCount())
                outOfRange();
            return Ref<Shape>(std::make_shared<IShape>(ShapeHandle{m_app, m_doc, m_page, shapeFrom(m_page->getByIndex(index - 1)), {}}));
        });
    }
    Ref<Shape> item(const QString& name) override
    {
        return uno([&] {
            const OUString wanted = toUno(name);
            const sal_Int32 count = m_page->getCount();
            for (sal_Int32 i = 0; i < count; ++i) {
                const Reference<css::drawing::XShape> shape = shapeFrom(m_page->getByIndex(i));
                Reference<css::container::XNamed> named(shape, UNO_QUERY);
                if (named.is() && named->getName() == wanted)
                    return Ref<Shape>(std::make_shared<IShape>(ShapeHandle{m_app, m_doc, m_page, shape, {}}));
            }
            throw RuntimeError(RuntimeError::tr("The item with the specified name wasn't found."));
        });
    }

private:
    App m_app;
    Doc m_doc;
    Reference<css::drawing::XDrawPage> m_page;
};

Ref<Shapes> ISlide::shapes()
{
    return std::make_shared<IShapes>(m_app, m_doc, m_page);
}

class ISlides final : public Slides {
public:
    ISlides(App app, Doc doc) : m_app(std::move(app)), m_doc(std::move(doc)) {}
    Ref<Slide> item(qint16 index) override
    {
        return uno([&] {
            const Reference<css::drawing::XDrawPages>& pages = m_doc->pages;
            if (index < 1 || index > pages->getCount())
                outOfRange();
            Reference<css::drawing::XDrawPage> page;
            // Taken from the Any as it is: a query would cost a call.
            if (!(pages->getByIndex(index - 1) >>= page) || !page.is())
                page.set(pages->getByIndex(index - 1), UNO_QUERY_THROW);
            return Ref<Slide>(std::make_shared<ISlide>(m_app, m_doc, page));
        });
    }

private:
    App m_app;
    Doc m_doc;
};

using IPresentation = PassOnPresentation<App, Doc, ISlides>;
using IPresentations = PassOnPresentations<App, IPresentation>;

class ISelection final : public Selection {
public:
    explicit ISelection(App app) : m_app(std::move(app)) {}
    void unselect() override
    {
        const Doc doc = m_app->active();
        if (!doc)
            return;
        uno([&] {
            Reference<css::view::XSelectionSupplier> selection(doc->model->getCurrentController(), UNO_QUERY_THROW);
            selection->select(Any());
        });
    }

private:
    App m_app;
};

using IWindow = PassOnWindow<App, ISelection>;

Ref<Presentations> ImpressApp::presentations()
{
    ensureConnected();
    return std::make_shared<IPresentations>(shared_from_this());
}

Ref<DocumentWindow> ImpressApp::activeWindow()
{
    ensureConnected();
    return std::make_shared<IWindow>(shared_from_this());
}

class ImpressServer final : public office::OfficeServer {
public:
    explicit ImpressServer(office::OfficeOptions options) : m_options(std::move(options)) {}
    bool installed() override { return officeInstalled(m_options); }
    bool running() override { return !officeProcesses(m_options.profileUrl).isEmpty(); }
    std::shared_ptr<office::OfficeApplication> createApplication() override
    {
        return std::make_shared<ImpressApp>(m_options);
    }

private:
    office::OfficeOptions m_options;
};

} // namespace
} // namespace quillora::impress

extern "C" __attribute__((visibility("default"))) quillora::office::OfficeServer*
quilloraCreateOfficeServer(const quillora::office::OfficeOptions& options, int version)
{
    if (version != quillora::office::kOfficePluginVersion)
        return nullptr;
    return new quillora::impress::ImpressServer(options);
}
