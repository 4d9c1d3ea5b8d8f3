#include "automation/EngineApplication.h"
#include "automation/EngineTextFit.h"
#include "automation/PassOnObjects.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"

#include <memory>
#include <vector>

namespace quillora::automation {
namespace {

// Engine failures arrive as the program's own failures, worded as the
// object model words them where it has words of its own, else with the
// engine's description.
template <class Call>
auto engine(Call&& call) -> decltype(call())
{
    try {
        return call();
    } catch (const deck::DeckError& e) {
        if (e.kind() == deck::DeckError::Kind::OutOfRange)
            throw RuntimeError(RuntimeError::tr(kValueOutOfRange));
        throw RuntimeError(e.description());
    }
}

struct OpenDeck {
    std::unique_ptr<deck::Presentation> deck;
    QString path;
    int selectedSlide = 0; // 0: nothing selected
};

using DeckHandle = std::shared_ptr<OpenDeck>;

} // namespace

// What the server keeps open across its applications' lifetimes.
struct EngineDocuments {
    std::vector<DeckHandle> decks;
    bool shown = false;
};

namespace {

class EngineApp final : public Application, public std::enable_shared_from_this<EngineApp> {
public:
    explicit EngineApp(std::shared_ptr<EngineDocuments> documents) : m_documents(std::move(documents)) {}

    QString defaultMember() override { return QLatin1String(kEngineApplicationName); }
    void setVisible(bool visible) override
    {
        if (visible)
            m_documents->shown = true;
    }
    Ref<Presentations> presentations() override;
    Ref<DocumentWindow> activeWindow() override;

    DeckHandle open(const QString& fileName)
    {
        auto opened = std::make_shared<OpenDeck>();
        opened->deck = engine([&] { return deck::Presentation::open(fileName); });
        opened->path = fileName;
        m_documents->decks.push_back(opened);
        m_active = opened;
        return opened;
    }
    void activate(const DeckHandle& deck) { m_active = deck; }
    OpenDeck* active() const { return m_active.lock().get(); }

private:
    std::shared_ptr<EngineDocuments> m_documents;
    std::weak_ptr<OpenDeck> m_active; // gone once the server lets go of it
};

using App = std::shared_ptr<EngineApp>;

// Every object keeps the application alive, as references into a running
// application do.
class EFont final : public Font {
public:
    EFont(App app, deck::TextRange range) : m_app(std::move(app)), m_range(range) {}
    void setSize(float points) override { engine([&] { m_range.setFontSize(points); }); }

private:
    App m_app;
    deck::TextRange m_range;
};

class EBullet final : public BulletFormat {
public:
    EBullet(App app, deck::TextRange range) : m_app(std::move(app)), m_range(range) {}
    void setVisible(int visible) override
    {
        if (visible != kTrue && visible != kFalse)
            throw RuntimeError(RuntimeError::tr(kValueOutOfRange));
        engine([&] { m_range.setBulletVisible(visible == kTrue); });
    }
    // None, unnumbered (a bullet character), numbered.
    void setType(int type) override
    {
        static constexpr deck::BulletKind kKinds[] = {deck::BulletKind::None, deck::BulletKind::Character,
                                                      deck::BulletKind::Number};
        if (type < 0 || type > 2)
            throw RuntimeError(RuntimeError::tr(kValueOutOfRange));
        engine([&] { m_range.setBulletKind(kKinds[type]); });
    }

private:
    App m_app;
    deck::TextRange m_range;
};

class EParagraphFormat final : public ParagraphFormat {
public:
    EParagraphFormat(App app, deck::TextRange range) : m_app(std::move(app)), m_range(range) {}
    Ref<BulletFormat> bullet() override { return std::make_shared<EBullet>(m_app, m_range); }

private:
    App m_app;
    deck::TextRange m_range;
};

class ESlide final : public Slide {
public:
    ESlide(App app, DeckHandle deck, deck::Slide& slide) : m_app(std::move(app)), m_deck(std::move(deck)), m_slide(slide) {}
    Ref<Shapes> shapes() override;
    void select() override
    {
        m_deck->selectedSlide = engine([&] { return m_slide.number(); });
        m_app->activate(m_deck);
    }

private:
    App m_app;
    DeckHandle m_deck;
    deck::Slide& m_slide;
};

class EShape final : public Shape {
public:
    EShape(App app, DeckHandle deck, deck::Shape& shape) : m_app(std::move(app)), m_deck(std::move(deck)), m_shape(shape) {}
    Ref<TextFrame> textFrame() override;
    Ref<Slide> parent() override { return std::make_shared<ESlide>(m_app, m_deck, m_shape.slide()); }

private:
    App m_app;
    DeckHandle m_deck;
    deck::Shape& m_shape;
};

class ETextRange final : public TextRange {
public:
    ETextRange(App app, DeckHandle deck, deck::TextRange range) : m_app(std::move(app)), m_deck(std::move(deck)), m_range(range) {}
    QString text() override { return engine([&] { return m_range.text(); }); }
    void setText(const QString& text) override { engine([&] { m_range.setText(text); }); }
    Ref<TextRange> characters(int start, int length) override
    {
        return std::make_shared<ETextRange>(m_app, m_deck, engine([&] { return m_range.characters(start, length); }));
    }
    Ref<ParagraphFormat> paragraphFormat() override { return std::make_shared<EParagraphFormat>(m_app, m_range); }
    Ref<Font> font() override { return std::make_shared<EFont>(m_app, m_range); }
    Ref<TextFrame> parent() override;

private:
    App m_app;
    DeckHandle m_deck;
    deck::TextRange m_range;
};

class ETextFrame final : public TextFrame {
public:
    ETextFrame(App app, DeckHandle deck, deck::Shape& shape) : m_app(std::move(app)), m_deck(std::move(deck)), m_shape(shape) {}
    Ref<TextRange> textRange() override
    {
        return std::make_shared<ETextRange>(m_app, m_deck, engine([&] { return m_shape.textRange(); }));
    }
    Ref<Shape> parent() override { return std::make_shared<EShape>(m_app, m_deck, m_shape); }

private:
    App m_app;
    DeckHandle m_deck;
    deck::Shape& m_shape;
};

Ref<TextFrame> EShape::textFrame()
{
    if (!engine([&] { return m_shape.hasTextFrame(); }))
        throw RuntimeError(RuntimeError::tr("This shape does not have a text frame"));
    return std::make_shared<ETextFrame>(m_app, m_deck, m_shape);
}

Ref<TextFrame> ETextRange::parent()
{
    return std::make_shared<ETextFrame>(m_app, m_deck, m_range.shape());
}

class EShapes final : public Shapes {
public:
    EShapes(App app, DeckHandle deck, deck::Slide& slide) : m_app(std::move(app)), m_deck(std::move(deck)), m_slide(slide) {}
    Ref<Shape> item(qint16 index) override
    {
        return std::make_shared<EShape>(m_app, m_deck, engine([&]() -> deck::Shape& { return m_slide.shape(index); }));
    }
    Ref<Shape> item(const QString& name) override
    {
        return std::make_shared<EShape>(m_app, m_deck, engine([&]() -> deck::Shape& {
            try {
                return m_slide.shape(name);
            } catch (const deck::DeckError& e) {
                if (e.kind() == deck::DeckError::Kind::NoSuchName)
                    throw RuntimeError(RuntimeError::tr(kShapeNameNotFound).arg(name));
                throw;
            }
        }));
    }

private:
    App m_app;
    DeckHandle m_deck;
    deck::Slide& m_slide;
};

Ref<Shapes> ESlide::shapes()
{
    return std::make_shared<EShapes>(m_app, m_deck, m_slide);
}

class ESlides final : public Slides {
public:
    ESlides(App app, DeckHandle deck) : m_app(std::move(app)), m_deck(std::move(deck)) {}
    Ref<Slide> item(qint16 index) override
    {
        return std::make_shared<ESlide>(m_app, m_deck, engine([&]() -> deck::Slide& { return m_deck->deck->slide(index); }));
    }

private:
    App m_app;
    DeckHandle m_deck;
};

using EPresentation = PassOnPresentation<App, DeckHandle, ESlides>;
using EPresentations = PassOnPresentations<App, EPresentation>;

// The window's selection is the selected slide of the active presentation;
// with nothing open there is nothing to clear.
class ESelection final : public Selection {
public:
    explicit ESelection(App app) : m_app(std::move(app)) {}
    void unselect() override
    {
        if (OpenDeck* deck = m_app->active())
            deck->selectedSlide = 0;
    }

private:
    App m_app;
};

using EWindow = PassOnWindow<App, ESelection>;

Ref<Presentations> EngineApp::presentations()
{
    return std::make_shared<EPresentations>(shared_from_this());
}

Ref<DocumentWindow> EngineApp::activeWindow()
{
    return std::make_shared<EWindow>(shared_from_this());
}

} // namespace

EngineWindowState engineWindowState(const Ref<Application>& application)
{
    auto* app = dynamic_cast<EngineApp*>(application.shared().get());
    if (!app)
        throw RuntimeError(RuntimeError::tr(kObjectVariableNotSet));
    EngineWindowState state;
    if (const OpenDeck* deck = app->active()) {
        state.activePath = deck->path;
        state.selectedSlide = deck->selectedSlide;
    }
    return state;
}

EngineServer::EngineServer() : m_documents(std::make_shared<EngineDocuments>()) {}

EngineServer::~EngineServer() = default;

void EngineServer::registerWith(AutomationRuntime& runtime)
{
    runtime.registerClass(QLatin1String(kPowerPointClass),
                          [documents = m_documents] { return std::make_shared<EngineApp>(documents); });
}

bool EngineServer::shown() const
{
    return m_documents->shown;
}

QStringList EngineServer::openDeckPaths() const
{
    QStringList paths;
    for (const DeckHandle& open : m_documents->decks)
        paths << open->path;
    return paths;
}

std::vector<WrittenDeck> EngineServer::writeOpenDecks()
{
    std::vector<WrittenDeck> written;
    for (const DeckHandle& open : m_documents->decks) {
        WrittenDeck result{open->path, QString()};
        try {
            fitFilledText(*open->deck);
            open->deck->saveAs(open->path);
        } catch (const std::exception& e) {
            result.error = QString::fromUtf8(e.what());
        }
        written.push_back(result);
    }
    m_documents->decks.clear();
    m_documents->shown = false;
    return written;
}

QByteArray EngineServer::packOpenDeck(const QString& path)
{
    auto& decks = m_documents->decks;
    for (auto it = decks.begin(); it != decks.end(); ++it) {
        if ((*it)->path != path)
            continue;
        const DeckHandle open = *it;
        decks.erase(it);
        fitFilledText(*open->deck);
        return engine([&] { return open->deck->toBytes(); });
    }
    throw RuntimeError(RuntimeError::tr("No presentation is open from %1").arg(path));
}

} // namespace quillora::automation
