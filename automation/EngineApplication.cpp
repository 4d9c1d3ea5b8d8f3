#include "automation/EngineApplication.h"
#include "automation/EngineTextFit.h"
#include "automation/ServedObjects.h"
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

// One presentation the server holds open.
struct OpenDeck final : DocumentBackend, std::enable_shared_from_this<OpenDeck> {
    std::unique_ptr<deck::Presentation> deck;
    QString path;
    int selectedSlide = 0; // 0: nothing selected

    int slideCount() override { return deck->slideCount(); }
    std::shared_ptr<SlideBackend> slide(int number) override;
    void clearSelection() override { selectedSlide = 0; }
};

using DeckHandle = std::shared_ptr<OpenDeck>;

} // namespace

// What the server keeps open across its applications' lifetimes.
struct EngineDocuments {
    std::vector<DeckHandle> decks;
    bool shown = false;
};

namespace {

// Every text change of a run lands here, on the shape's text model.
// Each object keeps its presentation open while it lives.
class EngineText final : public TextBackend {
public:
    EngineText(DeckHandle deck, deck::Shape& shape) : m_deck(std::move(deck)), m_shape(shape) {}
    QString text() override
    {
        return engine([&] { return m_shape.textRange().text(); });
    }
    void replaceAll(const QString& text) override
    {
        engine([&] { m_shape.textRange().setText(text); });
    }
    void replace(int start, int count, const QString& text) override
    {
        engine([&] { m_shape.textRange(start + 1, count).setText(text); });
    }
    void setBullet(int start, int count, BulletChange change) override
    {
        engine([&] {
            deck::TextRange range = m_shape.textRange(start + 1, count);
            switch (change) {
            case BulletChange::Hidden:
                return range.setBulletVisible(false);
            case BulletChange::Shown:
                return range.setBulletVisible(true);
            case BulletChange::Unnumbered:
                return range.setBulletKind(deck::BulletKind::Character);
            case BulletChange::Numbered:
                return range.setBulletKind(deck::BulletKind::Number);
            }
        });
    }
    void setFontSize(int start, int count, float points) override
    {
        engine([&] { m_shape.textRange(start + 1, count).setFontSize(points); });
    }

private:
    DeckHandle m_deck;
    deck::Shape& m_shape;
};

class EngineShape final : public ShapeBackend {
public:
    EngineShape(DeckHandle deck, deck::Shape& shape) : m_deck(std::move(deck)), m_shape(shape) {}
    std::shared_ptr<TextBackend> text() override
    {
        if (!engine([&] { return m_shape.hasTextFrame(); }))
            return nullptr;
        return std::make_shared<EngineText>(m_deck, m_shape);
    }

private:
    DeckHandle m_deck;
    deck::Shape& m_shape;
};

class EngineSlide final : public SlideBackend {
public:
    EngineSlide(DeckHandle deck, deck::Slide& slide) : m_deck(std::move(deck)), m_slide(slide) {}
    int shapeCount() override { return m_slide.shapeCount(); }
    std::shared_ptr<ShapeBackend> shape(int number) override
    {
        return std::make_shared<EngineShape>(m_deck, engine([&]() -> deck::Shape& { return m_slide.shape(number); }));
    }
    std::shared_ptr<ShapeBackend> shape(const QString& name) override
    {
        for (int number = 1; number <= m_slide.shapeCount(); ++number) {
            deck::Shape& shape = m_slide.shape(number);
            if (shape.name() == name)
                return std::make_shared<EngineShape>(m_deck, shape);
        }
        return nullptr;
    }
    std::shared_ptr<ShapeBackend> title() override
    {
        for (int number = 1; number <= m_slide.shapeCount(); ++number) {
            deck::Shape& shape = m_slide.shape(number);
            const std::optional<QString> type =
                shape.element().child("nvSpPr").child("nvPr").child("ph").attribute("type");
            if (type == QLatin1String("title") || type == QLatin1String("ctrTitle"))
                return std::make_shared<EngineShape>(m_deck, shape);
        }
        return nullptr;
    }
    void select() override { m_deck->selectedSlide = m_slide.number(); }
    std::shared_ptr<SlideBackend> duplicate() override
    {
        deck::Slide& copy = engine([&]() -> deck::Slide& { return m_deck->deck->duplicateSlide(m_slide.number()); });
        return std::make_shared<EngineSlide>(m_deck, copy);
    }

private:
    DeckHandle m_deck;
    deck::Slide& m_slide;
};

std::shared_ptr<SlideBackend> OpenDeck::slide(int number)
{
    deck::Slide& slide = engine([&]() -> deck::Slide& { return deck->slide(number); });
    return std::make_shared<EngineSlide>(shared_from_this(), slide);
}

// An application's view of the server: what it opens, the server keeps.
class EngineBackend final : public PresentationBackend {
public:
    explicit EngineBackend(std::shared_ptr<EngineDocuments> documents) : m_documents(std::move(documents)) {}
    void setVisible(bool visible) override
    {
        if (visible)
            m_documents->shown = true;
    }
    std::shared_ptr<DocumentBackend> open(const QString& fileName) override
    {
        auto opened = std::make_shared<OpenDeck>();
        opened->deck = engine([&] { return deck::Presentation::open(fileName); });
        opened->path = fileName;
        m_documents->decks.push_back(opened);
        return opened;
    }

private:
    std::shared_ptr<EngineDocuments> m_documents;
};

using EngineApp = ServedApplication<>;

} // namespace

EngineWindowState engineWindowState(const Ref<Application>& application)
{
    auto* app = dynamic_cast<EngineApp*>(application.shared().get());
    if (!app || !dynamic_cast<EngineBackend*>(&app->backend()))
        throw RuntimeError(RuntimeError::tr(kObjectVariableNotSet));
    EngineWindowState state;
    if (const auto deck = std::dynamic_pointer_cast<OpenDeck>(app->activeDocument())) {
        state.activePath = deck->path;
        state.selectedSlide = deck->selectedSlide;
    }
    return state;
}

EngineServer::EngineServer() : m_documents(std::make_shared<EngineDocuments>()) {}

EngineServer::~EngineServer() = default;

void EngineServer::registerWith(AutomationRuntime& runtime)
{
    runtime.registerClass(QLatin1String(kPowerPointClass), [documents = m_documents] {
        return std::make_shared<EngineApp>(std::make_shared<EngineBackend>(documents));
    });
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

void EngineServer::discardOpenDecks()
{
    m_documents->decks.clear();
    m_documents->shown = false;
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
