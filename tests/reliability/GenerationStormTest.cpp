// Error storms: a generation run with the template missing or damaged, or
// with no presentation application to reach, against the real engine and
// the real plan store. The run must show exactly one report per failing
// step, in order, and the next run must work as if nothing had happened.

#include "automation/AutomationRuntime.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/WorkingCopy.h"
#include "plan/PlanStore.h"
#include "core/ErrorReport.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/builder/EngineTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <vector>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

const ReportLocation& kLocation = kGenerateMarketPlanLocation;

// Three filled sections: rows 0, 5 and 15 of the fill map, whose write
// steps are 124, 154 and 214.
const std::vector<int> kFilledWriteLines = {124, 154, 214};

struct Storm : EngineFixture {
    void SetUp() override
    {
        EngineFixture::SetUp();
        plan->write(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("Growing market\r\n- three rivals"));
        plan->write(QStringLiteral("FirstStatementMkt_5"), QStringLiteral("Recycled box"));
        plan->write(QStringLiteral("SecondStatementMkt_7"), QStringLiteral("May launch"));
        plan->write(QStringLiteral("SecondStatementMkt_3"), QString()); // empty: only pauses

        fake.environment.program = emptyProgramFolder.path();
        fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
        plan.value.productName = QStringLiteral("Acme");
        plan.value.planTitle = QStringLiteral("Plan 2027");
    }

    QString workingCopy() const { return folder.path() + QStringLiteral("/marketing_plan_temp.ppt"); }
    std::vector<int> reported() const { return reportedLines(fake.messages, kLocation); }

    static std::vector<int> concat(std::vector<int> a, const std::vector<int>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    // Every shown message is a complete error report with a description.
    void expectEveryMessageIsAReport() const
    {
        for (const ShownMessage& m : fake.messages.shown) {
            EXPECT_EQ(m.title, QLatin1String(kErrorReportTitle));
            EXPECT_EQ(m.icon, MessageIcon::Warning);
            EXPECT_FALSE(descriptionOf(m).isEmpty()) << m.text.toStdString();
        }
    }

    // A run with everything in place reports nothing and fills the deck.
    void expectACleanRunAfterwards(AutomationRuntime& workingRuntime)
    {
        fake.messages.shown.clear();
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        WindowRun working{fake, workingRuntime};
        runAsWindow(working, plan);
        EXPECT_TRUE(fake.messages.shown.empty());
        const SavedDeck deck = saved(workingCopy());
        ASSERT_GE(deck.slides.size(), 17u);
        EXPECT_EQ(deck.slides[16].named(QStringLiteral("Rectangle 3"))->paragraphs.front().text,
                  QStringLiteral("May launch"));
    }

    QTemporaryDir emptyProgramFolder;
};

} // namespace

TEST_F(Storm, AMissingTemplateWithNoEarlierCopyReportsTheCopyTheOpenAndEveryUseOfThePresentation)
{
    runAsWindow(context, plan);

    EXPECT_EQ(reported(), concat({104, 108, 110, 114}, concat(kFilledWriteLines, {226})));
    expectEveryMessageIsAReport();
    EXPECT_FALSE(QFile::exists(workingCopy()));
    expectACleanRunAfterwards(runtime);
}

TEST_F(Storm, AMissingTemplateReportsOnlyTheCopyWhenAnEarlierWorkingCopyIsThere)
{
    ASSERT_TRUE(QFile::copy(realTemplate(), workingCopy()));
    runAsWindow(context, plan);

    EXPECT_EQ(reported(), std::vector<int>{104});
    expectEveryMessageIsAReport();
    // The earlier copy was opened and filled.
    const SavedDeck deck = saved(workingCopy());
    ASSERT_GE(deck.slides.size(), 17u);
    EXPECT_EQ(deck.slides[1].named(QStringLiteral("Rectangle 98"))->paragraphs.front().text,
              QStringLiteral("Growing market"));
}

TEST_F(Storm, ADamagedTemplateReportsTheOpenWithTheEnginesReasonAndEveryUseOfThePresentation)
{
    QFile original(realTemplate());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    const QString damaged = emptyProgramFolder.path() + QStringLiteral("/marketing_plan.ppt");
    quillora::testing::writeFile(damaged, bytes.left(bytes.size() / 2));

    runAsWindow(context, plan);

    EXPECT_EQ(reported(), concat({108, 110, 114}, concat(kFilledWriteLines, {226})));
    expectEveryMessageIsAReport();
    ASSERT_FALSE(fake.messages.shown.empty());
    EXPECT_TRUE(descriptionOf(fake.messages.shown.front()).contains(QStringLiteral("marketing_plan_temp.ppt")))
        << descriptionOf(fake.messages.shown.front()).toStdString();
    QFile::remove(damaged);
    expectACleanRunAfterwards(runtime);
}

TEST_F(Storm, AnUnreachableApplicationReportsEveryStepThatUsesIt)
{
    AutomationRuntime nothingRegistered;
    WindowRun unreachable{fake, nothingRegistered};
    fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);

    runAsWindow(unreachable, plan);

    EXPECT_EQ(reported(), concat({100, 102, 106, 108, 110, 114}, concat(kFilledWriteLines, {224, 226})));
    expectEveryMessageIsAReport();
    ASSERT_FALSE(fake.messages.shown.empty());
    EXPECT_EQ(descriptionOf(fake.messages.shown.front()), QLatin1String(kCannotCreateObject));
    // The copy still happened: nothing stopped the run early.
    EXPECT_TRUE(QFile::exists(workingCopy()));
    expectACleanRunAfterwards(runtime);
}

TEST_F(Storm, RepeatedStormsLeaveNothingBehindThatHurtsTheNextRun)
{
    AutomationRuntime nothingRegistered;
    WindowRun unreachable{fake, nothingRegistered};
    for (int i = 0; i < 3; ++i) {
        fake.messages.shown.clear();
        runAsWindow(context, plan);      // template missing
        runAsWindow(unreachable, plan);  // nothing to reach
    }
    expectACleanRunAfterwards(runtime);
}
