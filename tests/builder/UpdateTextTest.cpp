// updateText against the recording application: which calls it makes, in
// which order, with which positions and lengths, and how it goes on after a
// failing step.

#include "builder/MarketingPlanGenerator.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/builder/RecordingAutomation.h"

#include <gtest/gtest.h>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

const ReportLocation& kLocation = kUpdateTextLocation;

struct UpdateTextFixture : ::testing::Test {
    void SetUp() override { world->addTemplateShapes(); }

    // Runs updateText on slide 3's shape and returns the calls it made.
    QStringList write(const QStringList& lines)
    {
        Ref<TextRange> range = std::make_shared<recording::RTextRange>(world, 3, QStringLiteral("Rectangle 3"));
        world->log.clear();
        updateText(context, lines, range);
        EXPECT_FALSE(range.isNothing()) << "the caller's reference is the caller's to release";
        return world->log;
    }
    QString text() { return world->texts[3][QStringLiteral("Rectangle 3")]; }

    FakePlatform fake;
    AutomationRuntime runtime;
    WindowRun context{fake, runtime};
    std::shared_ptr<RecordingWorld> world = std::make_shared<RecordingWorld>();
};

const QStringList kOpening{"TextRange.Parent", "TextFrame.Parent", "Shape.Parent", "Slide(3).Select", "TextRange.Text=\"\""};

QStringList bulletLine(int pos, const QString& quotedText, int length)
{
    const QString one = QStringLiteral("TextRange.Characters(%1,-1)").arg(pos);
    return {one, "TextRange.ParagraphFormat", "ParagraphFormat.Bullet", "Bullet.Visible=-1",
            one, "TextRange.ParagraphFormat", "ParagraphFormat.Bullet", "Bullet.Type=1",
            one, "TextRange.Text=" + quotedText,
            QStringLiteral("TextRange.Characters(%1,%2)").arg(pos).arg(length), "TextRange.Font", "Font.Size=24",
            "TextRange.Text"};
}

QStringList dashLine(int pos, const QString& quotedText, int length)
{
    const QString one = QStringLiteral("TextRange.Characters(%1,-1)").arg(pos);
    return {one, "TextRange.ParagraphFormat", "ParagraphFormat.Bullet", "Bullet.Visible=0",
            one, "TextRange.Text=" + quotedText,
            QStringLiteral("TextRange.Characters(%1,%2)").arg(pos).arg(length), "TextRange.Font", "Font.Size=22",
            "TextRange.Text"};
}

} // namespace

TEST_F(UpdateTextFixture, WritesBulletedLinesAndTabLedSubPointsInOrder)
{
    const QStringList log = write({"Alpha", "- beta", "Gamma"});
    // Each next line starts where the application says the text ends now.
    // The recording range holds "Alpha\r\n" (7), then "Alpha\r\t- beta\r\n" (15).
    const QStringList expected = kOpening + bulletLine(1, "\"Alpha\\r\\n\"", 5)
                               + dashLine(7, "\"\\t- beta\\r\\n\"", 7)
                               + bulletLine(15, "\"Gamma\\r\\n\"", 5);
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.events.count, 1);
    EXPECT_EQ(fake.clock.monotonic, 500);
}

TEST_F(UpdateTextFixture, ASubPointIsSizedOverItsTabAndWholeLine)
{
    const QStringList log = write({"   -a"});
    EXPECT_EQ(log, kOpening + dashLine(1, "\"\\t   -a\\r\\n\"", 6));
}

TEST_F(UpdateTextFixture, OnlyASpaceLedHyphenMakesASubPoint)
{
    // A tab before the hyphen, an en dash, an empty and an all-space line.
    const QStringList log = write({"\t- x", QStringLiteral("\u2013 y"), "", "   "});
    EXPECT_EQ(log.filter("Bullet.Visible"), (QStringList{"Bullet.Visible=-1", "Bullet.Visible=-1",
                                                           "Bullet.Visible=-1", "Bullet.Visible=-1"}));
    EXPECT_EQ(log.filter("Font.Size"), (QStringList{"Font.Size=24", "Font.Size=24", "Font.Size=24", "Font.Size=24"}));
}

TEST_F(UpdateTextFixture, AnEmptyLastLineIsAnEmptyBulletedParagraph)
{
    const QStringList log = write({"A", ""});
    EXPECT_EQ(log, kOpening + bulletLine(1, "\"A\\r\\n\"", 1) + bulletLine(3, "\"\\r\\n\"", 0));
}

TEST_F(UpdateTextFixture, NoLinesClearsTheShapeSelectsItsSlideAndStillPauses)
{
    const QStringList log = write({});
    EXPECT_EQ(log, kOpening);
    EXPECT_EQ(text(), QString());
    EXPECT_EQ(world->selectedSlide, 3);
    EXPECT_EQ(fake.events.count, 1);
    EXPECT_EQ(fake.clock.monotonic, 500);
}

TEST_F(UpdateTextFixture, AFailingSelectIsReportedAndTheShapeIsStillCleared)
{
    world->failing << "Slide(3).Select";
    write({"A"});
    EXPECT_EQ(reportedLines(fake.messages, kLocation), (std::vector<int>{104}));
    EXPECT_EQ(text(), QStringLiteral("A\r\n"));
}

TEST_F(UpdateTextFixture, AFailingStepInABranchGoesOnWithTheBranchsNextStep)
{
    world->failing << "Bullet.Type=1"
                   << "TextRange.Text=\"\\t- b\\r\\n\"";
    const QStringList log = write({"a", "- b", "c"});
    EXPECT_EQ(reportedLines(fake.messages, kLocation), (std::vector<int>{120, 114, 120}));
    // The texts and sizes after each failing step are still written.
    EXPECT_EQ(log.filter("Font.Size"), (QStringList{"Font.Size=24", "Font.Size=22", "Font.Size=24"}));
    EXPECT_EQ(log.filter("TextRange.Text=").size(), 4); // clear + three lines, one refused
    EXPECT_EQ(text(), QStringLiteral("a\rc\r\n"));
}

TEST_F(UpdateTextFixture, AFailingSizeGoesOnWithTheReadBack)
{
    world->failing << "Font.Size=24";
    const QStringList log = write({"a", "b"});
    EXPECT_EQ(reportedLines(fake.messages, kLocation), (std::vector<int>{124, 124}));
    EXPECT_EQ(log.filter(QRegularExpression("^TextRange.Text$")).size(), 2);
    EXPECT_EQ(text(), QStringLiteral("a\rb\r\n"));
}

TEST_F(UpdateTextFixture, AFailingReadBackWritesTheNextLineAtTheOldPosition)
{
    world->failing << "TextRange.Text";
    const QStringList log = write({"a", "b"});
    EXPECT_EQ(reportedLines(fake.messages, kLocation), (std::vector<int>{126, 126}));
    EXPECT_EQ(log.filter("TextRange.Characters(1,-1)").size(), 6);
    EXPECT_EQ(text(), QStringLiteral("b\r\n\r\n"));
}

TEST_F(UpdateTextFixture, AFailureWhileThePauseProcessesEventsIsReportedUnderThePause)
{
    fake.events.onProcess = [] { throw RuntimeError(QStringLiteral("from an event handler")); };
    write({"a"});
    EXPECT_EQ(reportedLines(fake.messages, kLocation), (std::vector<int>{130}));
}

TEST_F(UpdateTextFixture, AnUnsetRangeReportsEveryStepThatUsesItAndStillPauses)
{
    Ref<TextRange> nothing;
    updateText(context, {"a", "- b"}, nothing);
    EXPECT_EQ(reportedLines(fake.messages, kLocation), (std::vector<int>{104, 106, 118, 120, 122, 124, 126, 112, 114, 116, 126}));
    EXPECT_EQ(descriptionOf(fake.messages.shown[0]), QStringLiteral("Object variable not set"));
    EXPECT_EQ(fake.events.count, 1);
}
