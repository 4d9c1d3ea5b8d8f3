// GenerateMarketPlan against the recording application: the order of the
// calls and what passes to each, which rows are written from where, and
// exactly which steps report when something fails.

#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideFillMap.h"
#include "plan/SectionCatalogue.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/builder/RecordingAutomation.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

const ReportLocation& kLocation = kGenerateMarketPlanLocation;
const ReportLocation& kWriterLocation = kUpdateTextLocation;

struct GeneratorFixture : ::testing::Test {
    void SetUp() override
    {
        fake.environment.program = programDir.path();
        fake.environment.temp = QStringLiteral("/nonexistent-temp-folder");
        fake.environment.vars[QStringLiteral("TEMP")] = tempDir.path();
        writeFile(templatePath(), "template deck");
        world->addTemplateShapes();
        registerRecordingApplication(runtime, world);
        plan.value.productName = QStringLiteral("Acme Marketing Plan");
        plan.value.planTitle = QStringLiteral("Plan for 2027");
    }

    QString templatePath() const { return programDir.path() + QStringLiteral("/marketing_plan.ppt"); }
    QString workingCopy() const { return tempDir.path() + QStringLiteral("/marketing_plan_temp.ppt"); }
    QString shapeText(int slide) const
    {
        const auto& shapes = world->texts.at(slide);
        return shapes.begin()->second;
    }
    void run() { generateMarketPlan(context, plan); }
    std::vector<int> reported() const { return reportedLines(fake.messages, kLocation); }

    TestPlan plan;
    QTemporaryDir programDir, tempDir;
    FakePlatform fake;
    AutomationRuntime runtime;
    WindowRun context{fake, runtime};
    std::shared_ptr<RecordingWorld> world = std::make_shared<RecordingWorld>();
};

} // namespace

TEST(SlideFillMap, FollowsTheSectionCatalogueWithItsReportLines)
{
    const auto& map = slideFillMap();
    EXPECT_EQ(map[0].slide, 1);
    EXPECT_EQ(map[0].shapeNumber, 2);
    EXPECT_EQ(map[0].source, FillSource::ProductLine);
    EXPECT_EQ(map[1].shapeNumber, 1);
    EXPECT_EQ(map[1].source, FillSource::PlanTitle);
    const auto& sections = allSections();
    for (int k = 0; k < kSectionCount; ++k) {
        const FillRow& row = map[size_t(k) + 2];
        SCOPED_TRACE(k);
        EXPECT_EQ(row.slide, 2 + k);
        EXPECT_EQ(row.section->key(), sections[size_t(k)].key());
        EXPECT_EQ(row.source, FillSource::Statement);
        EXPECT_EQ(row.testLine, 120 + 6 * k);
        EXPECT_EQ(row.splitLine, 122 + 6 * k);
        EXPECT_EQ(row.writeLine, 124 + 6 * k);
        EXPECT_EQ(row.pauseLine, 124 + 6 * k);
        const char* name = k == 0 ? "Rectangle 98" : k == 2 ? "Rectangle 18" : "Rectangle 3";
        EXPECT_STREQ(row.shapeName, name);
    }
}

TEST(ProductLine, TakesOutEveryExactMarketingPlanAndAddsItAsSecondLine)
{
    EXPECT_EQ(productLine(QString()), QStringLiteral("\r\nMarketing Plan"));
    EXPECT_EQ(productLine(QStringLiteral("Acme Marketing Plan")), QStringLiteral("Acme \r\nMarketing Plan"));
    EXPECT_EQ(productLine(QStringLiteral("Acme marketing plan")), QStringLiteral("Acme marketing plan\r\nMarketing Plan"));
    EXPECT_EQ(productLine(QStringLiteral("Marketing PlanXMarketing Plan")), QStringLiteral("X\r\nMarketing Plan"));
    // One pass from the first character: what the removal joins stays.
    EXPECT_EQ(productLine(QStringLiteral("MarketingMarketing Plan Plan")),
              QStringLiteral("Marketing Plan\r\nMarketing Plan"));
}

TEST_F(GeneratorFixture, WithNoStatementsItMakesExactlyTheSlideOneCallsInOrder)
{
    run();
    const QString open = QStringLiteral("Presentations.Open(fileName=\"%1\")").arg(workingCopy());
    const QStringList expected{
        "started Application",
        "Application.Visible=true",
        "Application.Presentations", open,
        "Presentation.Slides", "Slides.Item(1)", "Slide(1).Shapes", "Shapes.Item(2)", "Shape.TextFrame",
        "TextFrame.TextRange", "TextRange.Text=\"Acme \\r\\nMarketing Plan\"",
        "Presentation.Slides", "Slides.Item(1)", "Slide(1).Shapes", "Shapes.Item(1)", "Shape.TextFrame",
        "TextFrame.TextRange", "TextRange.Text=\"Plan for 2027\"",
        "Application.ActiveWindow", "ActiveWindow.Selection", "Selection.Unselect",
        "Presentation.Slides", "Slides.Item(1)", "Slide(1).Select",
        "released Presentation", "released Application"};
    EXPECT_EQ(world->log, expected);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(world->selectedSlide, 1);
    // Eighteen pauses of half a second, each starting with one round of events.
    EXPECT_EQ(fake.events.count, 18);
    EXPECT_EQ(fake.clock.monotonic, 18 * 500);
    EXPECT_EQ(readFile(workingCopy()), QByteArray("template deck"));
    // Slides 2 to 17 were not touched.
    for (int slide = 2; slide <= 17; ++slide)
        EXPECT_EQ(shapeText(slide), QStringLiteral("Template text %1").arg(slide));
}

TEST_F(GeneratorFixture, EachStoredStatementGoesToItsSlideAndShape)
{
    const auto& sections = allSections();
    for (int k = 0; k < kSectionCount; ++k)
        plan->write(sections[size_t(k)].key(), QStringLiteral("Statement %1").arg(k));
    plan->write(sections[5].key(), QString()); // stored empty: skipped like a missing one

    run();

    EXPECT_TRUE(fake.messages.shown.empty());
    QStringList shapesFetched = world->entries(QStringLiteral("Shapes.Item("));
    QStringList expectedShapes{"Shapes.Item(2)", "Shapes.Item(1)"};
    for (int k = 0; k < kSectionCount; ++k) {
        if (k == 5)
            continue;
        expectedShapes << QStringLiteral("Shapes.Item(\"%1\")").arg(QLatin1String(slideFillMap()[size_t(k) + 2].shapeName));
    }
    EXPECT_EQ(shapesFetched, expectedShapes);
    for (int k = 0; k < kSectionCount; ++k) {
        const QString expected = k == 5 ? QStringLiteral("Template text 7") : QStringLiteral("Statement %1\r\n").arg(k);
        EXPECT_EQ(shapeText(2 + k), expected) << "slide " << 2 + k;
    }
    // updateText selected each written slide; the run ends on slide 1.
    EXPECT_EQ(world->entries(QStringLiteral("Slide(")).filter(QStringLiteral("Select")).size(), 15 + 1);
    EXPECT_EQ(world->selectedSlide, 1);
    // The generator's eighteen pauses plus one per written statement.
    EXPECT_EQ(fake.events.count, 18 + 15);
    EXPECT_EQ(fake.clock.monotonic, (18 + 15) * 500);
    EXPECT_EQ(world->log.mid(world->log.size() - 2), (QStringList{"released Presentation", "released Application"}));
}

TEST_F(GeneratorFixture, StatementsAreSplitAtEveryCrLfOnly)
{
    plan->write(QStringLiteral("FirstStatementMkt_1"), QStringLiteral("one\r\ntwo\nstill two\r\n\r\n- sub\r\n"));
    plan->write(QStringLiteral("FirstStatementMkt_2"), QStringLiteral("   "));
    run();
    // Bulleted "one", "two\nstill two", "", then the sub-point, then the empty last piece.
    EXPECT_EQ(world->log.filter(QStringLiteral("Bullet.Visible")),
              (QStringList{"Bullet.Visible=-1", "Bullet.Visible=-1", "Bullet.Visible=-1", "Bullet.Visible=0",
                           "Bullet.Visible=-1", "Bullet.Visible=-1"}));
    EXPECT_TRUE(world->log.contains(QStringLiteral("TextRange.Text=\"two\\nstill two\\r\\n\"")));
    EXPECT_TRUE(world->log.contains(QStringLiteral("TextRange.Text=\"   \\r\\n\"")));
}

TEST_F(GeneratorFixture, ReadsEachTextWhenItsRowComesUp)
{
    // Something typed during the first pause reaches a row not yet written.
    fake.events.onProcess = [&] {
        if (fake.events.count == 1) {
            plan->write(QStringLiteral("SecondStatementMkt_7"), QStringLiteral("Typed during the run"));
            plan.value.planTitle = QStringLiteral("Too late for the title? No: it is read at its own step");
        }
    };
    run();
    EXPECT_EQ(shapeText(17), QStringLiteral("Typed during the run\r\n"));
    EXPECT_EQ(world->texts[1][QStringLiteral("1")], QStringLiteral("Too late for the title? No: it is read at its own step"));
}

TEST_F(GeneratorFixture, AFailedOpenReportsEveryStepThatNeedsThePresentation)
{
    plan->write(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("a"));
    plan->write(QStringLiteral("FirstStatementMkt_3"), QStringLiteral("b"));
    plan->write(QStringLiteral("SecondStatementMkt_7"), QStringLiteral("c"));
    world->failing << "Presentations.Open*";
    run();
    EXPECT_EQ(reported(), (std::vector<int>{108, 110, 114, 124, 142, 214, 226}));
    EXPECT_TRUE(reportedLines(fake.messages, kWriterLocation).empty());
    EXPECT_EQ(descriptionOf(fake.messages.shown[1]), QStringLiteral("Object variable not set"));
    EXPECT_EQ(fake.events.count, 18); // every row still pauses
    EXPECT_EQ(world->log.last(), QStringLiteral("released Application"));
}

TEST_F(GeneratorFixture, AnUnreachableApplicationReportsEveryStepThatUsesIt)
{
    AutomationRuntime empty;
    WindowRun noApplication{fake, empty};
    plan->write(QStringLiteral("FirstStatementMkt_4"), QStringLiteral("a"));
    plan->write(QStringLiteral("SecondStatementMkt_0"), QStringLiteral("b"));
    generateMarketPlan(noApplication, plan);
    EXPECT_EQ(reported(), (std::vector<int>{100, 102, 106, 108, 110, 114, 148, 172, 224, 226}));
    EXPECT_EQ(descriptionOf(fake.messages.shown[0]), QStringLiteral("ActiveX component can't create object"));
    EXPECT_EQ(descriptionOf(fake.messages.shown[2]), QStringLiteral("Object variable not set"));
    // The copy still happened.
    EXPECT_EQ(readFile(workingCopy()), QByteArray("template deck"));
}

TEST_F(GeneratorFixture, AMissingShapeAffectsOnlyItsRow)
{
    for (const Section& s : allSections())
        plan->write(s.key(), QStringLiteral("filled"));
    world->texts[4].clear(); // slide 4 lost "Rectangle 18"
    world->slideCount = 16;  // and the deck lost its last slide
    run();
    EXPECT_EQ(reported(), (std::vector<int>{136, 214}));
    EXPECT_EQ(shapeText(3), QStringLiteral("filled\r\n"));
    EXPECT_EQ(shapeText(5), QStringLiteral("filled\r\n"));
    EXPECT_EQ(fake.events.count, 18 + 14);
}

TEST_F(GeneratorFixture, AMissingTemplateReportsTheCopyAndOpensWhatIsThere)
{
    QFile::remove(templatePath());
    writeFile(workingCopy(), "left by an earlier run");
    run();
    EXPECT_EQ(reported(), (std::vector<int>{104}));
    EXPECT_TRUE(descriptionOf(fake.messages.shown[0]).startsWith(QStringLiteral("File not found")));
    EXPECT_EQ(readFile(workingCopy()), QByteArray("left by an earlier run"));
    EXPECT_EQ(world->entries(QStringLiteral("Presentations.Open")).size(), 1);
}

TEST_F(GeneratorFixture, AnEarlierWorkingCopyIsReplacedByTheTemplate)
{
    writeFile(workingCopy(), "filled by an earlier run, much longer than the template");
    run();
    EXPECT_EQ(readFile(workingCopy()), QByteArray("template deck"));
}

TEST_F(GeneratorFixture, AnInstalledCopyTakesTheTemplateFromItsDataFolderUnlessOneLiesBesideIt)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/quillora")));
    fake.environment.program = prefix.filePath(QStringLiteral("bin"));
    writeFile(prefix.filePath(QStringLiteral("share/quillora/marketing_plan.ppt")), "installed template");
    run();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(readFile(workingCopy()), QByteArray("installed template"));

    writeFile(prefix.filePath(QStringLiteral("bin/marketing_plan.ppt")), "template beside the program");
    run();
    EXPECT_EQ(readFile(workingCopy()), QByteArray("template beside the program"));

    // In neither place: the message names the file beside the program.
    QFile::remove(prefix.filePath(QStringLiteral("bin/marketing_plan.ppt")));
    QFile::remove(prefix.filePath(QStringLiteral("share/quillora/marketing_plan.ppt")));
    run();
    ASSERT_EQ(reported(), (std::vector<int>{104}));
    EXPECT_EQ(descriptionOf(fake.messages.shown[0]),
              QStringLiteral("File not found: ") + prefix.filePath(QStringLiteral("bin/marketing_plan.ppt")));
}

TEST_F(GeneratorFixture, WithoutTempTheWorkingCopyGoesToThePlatformsTemporaryFolder)
{
    for (const QString& unset : {QStringLiteral("(unset)"), QString()}) {
        QTemporaryDir platformTemp;
        fake.environment.temp = platformTemp.path();
        if (unset.isNull())
            fake.environment.vars[QStringLiteral("TEMP")] = QString();
        else
            fake.environment.vars.erase(QStringLiteral("TEMP"));
        world->log.clear();
        run();
        const QString copy = platformTemp.path() + QStringLiteral("/marketing_plan_temp.ppt");
        EXPECT_EQ(readFile(copy), QByteArray("template deck"));
        EXPECT_EQ(world->entries(QStringLiteral("Presentations.Open")),
                  QStringList(QStringLiteral("Presentations.Open(fileName=\"%1\")").arg(copy)));
    }
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(GeneratorFixture, AnUnwritableWorkingCopyFolderIsReported)
{
    fake.environment.vars[QStringLiteral("TEMP")] = tempDir.path() + QStringLiteral("/no/such/folder");
    run();
    EXPECT_EQ(reported(), (std::vector<int>{104}));
    EXPECT_TRUE(descriptionOf(fake.messages.shown[0]).startsWith(QStringLiteral("Cannot write ")));
}
