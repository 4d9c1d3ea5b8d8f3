// The shape text writer and one whole generation, run against the embedded
// engine and against Impress: each leaves the same paragraphs (text, bullet
// on or off, sizes), and each fails in the same words at the same report
// lines. The engine's result is read from its saved file, the Impress
// result from the open document over UNO.

#include "automation/EngineApplication.h"
#include "builder/DeckReader.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideFillMap.h"
#include "builder/WorkingCopy.h"
#include "deck/Deck.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanStore.h"
#include "tests/builder/BuilderTestSupport.h"
#include "core/FileNames.h"
#include "tests/support/SavedDeck.h"
#include "tests/impress/OfficeFixture.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/DeckBuilder.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <set>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

const QString kBodyShape = QStringLiteral("Rectangle 3");
constexpr int kBodySlide = 3;

QString templateDeck()
{
    return quillora::testing::builtTemplatePath();
}

// One paragraph as both servers can be compared on.
struct Compared {
    QString text;
    std::optional<bool> bullet; // unset: the engine left the master's
    std::set<int> sizes;        // sizes of the non-empty runs; explicit ones only on the engine side
};

std::vector<Compared> fromEngine(const SavedShape& shape)
{
    std::vector<Compared> out;
    for (const SavedParagraph& p : shape.paragraphs) {
        Compared c{p.text, std::nullopt, {}};
        if (p.bullet == SavedParagraph::Bullet::Off)
            c.bullet = false;
        else if (p.bullet != SavedParagraph::Bullet::Inherited)
            c.bullet = true;
        for (int size : p.sizes)
            c.sizes.insert(size);
        out.push_back(c);
    }
    return out;
}

std::vector<Compared> fromOffice(const OfficeShape& shape)
{
    std::vector<Compared> out;
    for (const OfficeParagraph& p : shape.paragraphs)
        out.push_back(Compared{p.text, p.bullet, std::set<int>(p.sizes.begin(), p.sizes.end())});
    return out;
}

// Paragraph by paragraph. Where the engine set no size (0) or kept the
// master's bullet, Impress shows what the master gives, which the file does
// not say; everything the writer set is compared.
void expectSame(const std::vector<Compared>& engine, const std::vector<Compared>& office)
{
    ASSERT_EQ(engine.size(), office.size()) << "paragraph count";
    for (size_t i = 0; i < engine.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "paragraph " << i);
        EXPECT_EQ(engine[i].text, office[i].text);
        if (engine[i].bullet)
            EXPECT_EQ(*engine[i].bullet, office[i].bullet.value_or(false));
        if (!engine[i].sizes.count(0) && !engine[i].text.isEmpty())
            EXPECT_EQ(engine[i].sizes, office[i].sizes);
    }
}

// A template one slide short, with slide 4's statement shape renamed.
QByteArray damagedTemplate()
{
    QStringList slides(16, textShape(2, QStringLiteral("Title 1")) + textShape(3, QStringLiteral("Subtitle 2")));
    for (const FillRow& row : slideFillMap()) {
        if (!row.shapeName || row.slide > slides.size())
            continue;
        const QString name = QLatin1String(row.shapeName) + QLatin1String(row.slide == 4 ? " renamed" : "");
        slides[row.slide - 1] = textShape(2, QStringLiteral("Title 1")) + textShape(3, name);
    }
    return makeDeck({slides, {}, {}});
}

struct Conformance : ::testing::Test {
    void SetUp() override
    {
        SKIP_WITHOUT_OFFICE();
        ASSERT_TRUE(QFile::exists(templateDeck()));
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
    }
    void TearDown() override
    {
        if (skipReason().isEmpty())
            closeDocuments(folder.path());
    }

    // The lines written into the body shape of slide 3 by the engine, as saved.
    std::vector<Compared> writeWithEngine(const QStringList& lines)
    {
        const QString path = folder.path() + QStringLiteral("/engine.pptx");
        EXPECT_TRUE(QFile::copy(templateDeck(), path));
        EngineServer engine;
        AutomationRuntime runtime;
        engine.registerWith(runtime);
        ErrorReport report(fake.messages);
        const BuilderContext context{runtime, report};
        {
            Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
            Ref<TextRange> range =
                app->presentations()->open(path)->slides()->item(kBodySlide)->shapes()->item(kBodyShape)->textFrame()->textRange();
            updateText(context, lines, range);
        }
        for (const WrittenDeck& written : engine.writeOpenDecks())
            EXPECT_TRUE(written.error.isEmpty()) << written.error.toStdString();
        const SavedDeck deck = SavedDeck::read(path);
        if (deck.slides.size() < kBodySlide || !deck.slides[kBodySlide - 1].named(kBodyShape))
            return {};
        return fromEngine(*deck.slides[kBodySlide - 1].named(kBodyShape));
    }

    // The same through Impress, read back from the open document.
    std::vector<Compared> writeWithImpress(const QStringList& lines)
    {
        const QString path = folder.path() + QStringLiteral("/impress.pptx");
        EXPECT_TRUE(QFile::copy(templateDeck(), path));
        AutomationRuntime runtime;
        registerOffice(runtime, sharedOffice());
        ErrorReport report(fake.messages);
        const BuilderContext context{runtime, report};
        {
            Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
            app->setVisible(true);
            Ref<TextRange> range =
                app->presentations()->open(path)->slides()->item(kBodySlide)->shapes()->item(kBodyShape)->textFrame()->textRange();
            updateText(context, lines, range);
        }
        const auto slides = readSlides(onlyDeck());
        for (const OfficeShape& shape : slides.at(kBodySlide - 1)) {
            if (shape.name == kBodyShape)
                return fromOffice(shape);
        }
        ADD_FAILURE() << "no body shape";
        return {};
    }

    // The template's copy opened by the server the runtime serves.
    Ref<Presentation> open(AutomationRuntime& runtime, const QString& name)
    {
        const QString path = folder.path() + QLatin1Char('/') + name;
        EXPECT_TRUE(QFile::copy(templateDeck(), path));
        return runtime.CreateObject(QLatin1String(kPowerPointClass))->presentations()->open(path);
    }

    void expectBothWrite(const QStringList& lines)
    {
        const std::vector<Compared> engine = writeWithEngine(lines);
        const std::vector<Compared> office = writeWithImpress(lines);
        EXPECT_TRUE(fake.messages.shown.empty()) << descriptionOf(fake.messages.shown.front()).toStdString();
        ASSERT_FALSE(engine.empty());
        expectSame(engine, office);
    }

    FakePlatform fake;
    QTemporaryDir folder;
};

} // namespace

TEST_F(Conformance, ThreeLinesWithASubPoint)
{
    expectBothWrite({QStringLiteral("Alpha"), QStringLiteral("- beta"), QStringLiteral("Gamma")});
}

TEST_F(Conformance, SpacesOrATabBeforeTheDash)
{
    expectBothWrite({QStringLiteral("   -a"), QStringLiteral("b"), QStringLiteral("\t- x")});
}

TEST_F(Conformance, AnEmptyLastLine)
{
    expectBothWrite({QStringLiteral("one"), QString()});
}

TEST_F(Conformance, LinesOpeningWithALineFeed)
{
    expectBothWrite({QStringLiteral("\nfirst"), QStringLiteral("one"), QStringLiteral("\nfed"), QStringLiteral("\n\nlast")});
}

TEST_F(Conformance, NoLines)
{
    expectBothWrite({});
}

TEST_F(Conformance, CharactersOutsideTheBasicPlane)
{
    expectBothWrite({QStringLiteral("Clef \U0001D11E and \U0001F600 smile"), QStringLiteral("- \U0001D518\U0001D52B\U0001D526 sub"),
                     QStringLiteral("after")});
}

TEST_F(Conformance, RightToLeftText)
{
    expectBothWrite({QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD"),
                     QStringLiteral("- \u0645\u0631\u062D\u0628\u0627 mixed 42")});
}

TEST_F(Conformance, ALongStatement)
{
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << (i % 3 == 2 ? QStringLiteral("- detail %1 of the plan").arg(i) : QStringLiteral("Point %1 with some words").arg(i));
    expectBothWrite(lines);
}

// Market Summary too long for its slide continues on copies of it, in both.
TEST_F(Conformance, AWholeGenerationLeavesTheSameDeckOpenAndUnsaved)
{
    TestPlan plan;
    plan->write(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("Alpha market point\r\n- beta detail\r\n").repeated(14));
    plan->write(QStringLiteral("FirstStatementMkt_2"), QStringLiteral("   - spaced sub-point"));
    plan->write(QStringLiteral("FirstStatementMkt_7"), QStringLiteral("Press kit \U0001F4E6"));
    plan->write(QStringLiteral("SecondStatementMkt_3"), QString());
    plan->write(QStringLiteral("SecondStatementMkt_7"), QStringLiteral("Launch in May\r\n"));
    plan.value.productName = QStringLiteral("Acme Marketing Plan");
    plan.value.planTitle = QStringLiteral("Growth Plan 2027");

    QTemporaryDir engineTemp, officeTemp;
    const QString engineCopy = engineTemp.path() + QLatin1Char('/') + QLatin1String(kWorkingCopyFileName);
    const QString officeCopy = officeTemp.path() + QLatin1Char('/') + QLatin1String(kWorkingCopyFileName);

    {
        EngineServer engine;
        AutomationRuntime runtime;
        engine.registerWith(runtime);
        fake.environment.vars[QStringLiteral("TEMP")] = engineTemp.path();
        WindowRun run(fake, runtime);
        generateMarketPlan(run.context, {run.request().templatePath, run.request().workingCopyPath, true}, plan);
        for (const WrittenDeck& written : engine.writeOpenDecks())
            EXPECT_TRUE(written.error.isEmpty()) << written.error.toStdString();
    }
    {
        AutomationRuntime runtime;
        registerOffice(runtime, sharedOffice());
        fake.environment.vars[QStringLiteral("TEMP")] = officeTemp.path();
        WindowRun run(fake, runtime);
        generateMarketPlan(run.context, {run.request().templatePath, run.request().workingCopyPath, true}, plan);
    }
    ASSERT_TRUE(fake.messages.shown.empty()) << descriptionOf(fake.messages.shown.front()).toStdString();

    // Nothing was saved: the working copy is still the template's copy.
    QFile copy(officeCopy), original(templateDeck());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(copy.readAll() == original.readAll());

    const auto document = onlyDeck();
    ASSERT_TRUE(document.is()) << "the deck is left open";
    EXPECT_TRUE(isModified(document));
    EXPECT_EQ(currentSlide(document), 1);
    EXPECT_FALSE(sharedOffice().processes().isEmpty()) << "Impress keeps running";

    const SavedDeck engine = SavedDeck::read(engineCopy);
    const auto office = readSlides(document);
    ASSERT_EQ(engine.slides.size(), office.size());
    EXPECT_GT(office.size(), 17u);
    // Shapes by name: Impress leaves out some the file lists (empty placeholders).
    int comparedShapes = 0;
    for (size_t s = 0; s < office.size(); ++s) {
        for (const OfficeShape& shape : office[s]) {
            const std::optional<SavedShape> saved = engine.slides[s].named(shape.name);
            if (shape.paragraphs.empty() || !saved)
                continue;
            SCOPED_TRACE(::testing::Message() << "slide " << s + 1 << " shape " << shape.name.toStdString());
            expectSame(fromEngine(*saved), fromOffice(shape));
            ++comparedShapes;
        }
    }
    EXPECT_GT(comparedShapes, 17);
    closeDocuments(officeTemp.path());
}

// What the user types comes back from the deck Impress filled and saved.
TEST_F(Conformance, APlanFilledByImpressIsReadBackAsItWas)
{
    TestPlan plan;
    const auto& sections = allSections();
    plan.value.productName = QStringLiteral("Acme\nRocket \U0001F680");
    plan.value.planTitle = QStringLiteral("Plan \u05E9\u05DC\u05D5\u05DD");
    plan->write(sections[0].key(), QStringLiteral("lone\nfeed\r\n\nopens with one\r\n- sub\r\n"));
    plan->write(sections[1].key(), QString());
    plan->write(sections[2].key(), QStringLiteral("\r\n\r\n   -three spaces\r\n\t- tab"));
    plan->write(sections[3].key(), QStringLiteral("\U0001D518 outside the basic plane\r\n\u2013 en dash"));
    QTemporaryDir temp;
    {
        AutomationRuntime runtime;
        registerOffice(runtime, sharedOffice());
        fake.environment.vars[QStringLiteral("TEMP")] = temp.path();
        WindowRun run(fake, runtime);
        generateMarketPlan(run.context, {run.request().templatePath, run.request().workingCopyPath, false}, plan);
    }
    ASSERT_TRUE(fake.messages.shown.empty()) << descriptionOf(fake.messages.shown.front()).toStdString();
    const QString saved = temp.filePath(QStringLiteral("saved.pptx"));
    storeAsPptx(onlyDeck(), saved);
    closeDocuments(temp.path());
    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::open(saved);
    const std::unique_ptr<deck::Presentation> templateCopy = deck::Presentation::open(templateDeck());
    const DeckReading reading = readPlanFromDeck(*deck, templateCopy.get());
    EXPECT_EQ(reading.leftOut, QStringList());
    EXPECT_EQ(planFileJson(documentOf(reading.plan)).toStdString(), planFileJson(documentOf(plan)).toStdString());
}

TEST_F(Conformance, BothFailInTheSameWords)
{
    const QString outOfRange = QLatin1String(kValueOutOfRange);
    using Call = std::function<void(Ref<Presentation>&)>;
    const auto body = [](Ref<Presentation>& deck) {
        return deck->slides()->item(kBodySlide)->shapes()->item(kBodyShape)->textFrame()->textRange();
    };
    const struct {
        const char* what;
        Call call;
        QString description;
    } calls[] = {
        {"a missing slide", [](Ref<Presentation>& deck) { deck->slides()->item(18); }, outOfRange},
        {"a missing shape", [](Ref<Presentation>& deck) { deck->slides()->item(kBodySlide)->shapes()->item(QStringLiteral("Rectangle 99")); },
         QStringLiteral("Item Rectangle 99 not found in the Shapes collection.")},
        {"a shape number past the last", [](Ref<Presentation>& deck) { deck->slides()->item(1)->shapes()->item(99); }, outOfRange},
        {"a span before the text", [&](Ref<Presentation>& deck) { body(deck)->characters(0, 1); }, outOfRange},
        {"a span of negative length", [&](Ref<Presentation>& deck) { body(deck)->characters(1, -2); }, outOfRange},
        {"a bullet type past the last", [&](Ref<Presentation>& deck) { body(deck)->paragraphFormat()->bullet()->setType(3); }, outOfRange},
    };
    EngineServer engine;
    AutomationRuntime engineRuntime, officeRuntime;
    engine.registerWith(engineRuntime);
    registerOffice(officeRuntime, sharedOffice());
    Ref<Presentation> engineDeck = open(engineRuntime, QStringLiteral("engine.pptx"));
    Ref<Presentation> officeDeck = open(officeRuntime, QStringLiteral("impress.pptx"));
    for (const auto& row : calls) {
        for (Ref<Presentation>* deck : {&engineDeck, &officeDeck}) {
            SCOPED_TRACE(::testing::Message() << row.what << (deck == &engineDeck ? " (engine)" : " (Impress)"));
            try {
                row.call(*deck);
                ADD_FAILURE() << "no failure";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.description(), row.description);
            }
        }
    }
}

TEST_F(Conformance, ADamagedTemplateIsReportedAtTheSameLinesInTheSameWords)
{
    QTemporaryDir program;
    writeFile(program.filePath(QLatin1String(kTemplateFileName)), damagedTemplate());
    fake.environment.program = program.path();
    fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
    TestPlan plan;
    for (const FillRow& row : slideFillMap()) {
        if (row.section)
            plan->write(row.section->key(), QStringLiteral("Point\r\n- sub-point"));
    }

    EngineServer engine;
    AutomationRuntime engineRuntime;
    engine.registerWith(engineRuntime);
    generateMarketPlan(WindowRun(fake, engineRuntime), plan);
    QStringList engineReports;
    for (const ShownMessage& m : fake.messages.shown)
        engineReports << m.text;
    EXPECT_EQ(reportedLines(fake.messages, kGenerateMarketPlanLocation), (std::vector<int>{136, 214}));
    ASSERT_EQ(engineReports.size(), 2);
    EXPECT_EQ(descriptionOf(fake.messages.shown[0]), QStringLiteral("Item Rectangle 18 not found in the Shapes collection."));

    fake.messages.shown.clear();
    AutomationRuntime officeRuntime;
    registerOffice(officeRuntime, sharedOffice());
    generateMarketPlan(WindowRun(fake, officeRuntime), plan);
    QStringList officeReports;
    for (const ShownMessage& m : fake.messages.shown)
        officeReports << m.text;
    EXPECT_EQ(officeReports, engineReports);
}
