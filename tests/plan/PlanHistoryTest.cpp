// The plan's history: identical plans kept once, snapshots that never
// replace a file, thinning by count and by day, and what changed between two.

#include "plan/PlanHistory.h"
#include "plan/PlanFileWriter.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace quillora;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 15, 0));

PlanDocument planNamed(const QString& productName, const QString& pricing = QString())
{
    PlanDocument plan;
    plan.productName = productName;
    plan.hasProductName = true;
    if (!pricing.isNull())
        plan.statements[QStringLiteral("SecondStatementMkt_2")] = pricing;
    return plan;
}

QStringList productNames(const std::vector<Snapshot>& snapshots)
{
    QStringList names;
    for (const Snapshot& snapshot : snapshots)
        names << snapshot.plan.productName;
    return names;
}

class PlanHistoryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("history"));
    PlanHistory history{folder};
};

TEST_F(PlanHistoryTest, KeepsEachDistinctPlanOnceNewestFirst)
{
    const QString first = history.record(planNamed(QStringLiteral("Skates"), QStringLiteral("Premium")), kNow);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(quillora::testing::readFile(first), planFileJson(planNamed(QStringLiteral("Skates"), QStringLiteral("Premium"))));
    // The same plan later, even after another one, is not kept again.
    EXPECT_FALSE(history.record(planNamed(QStringLiteral("Rockets")), kNow.addSecs(60)).isEmpty());
    EXPECT_TRUE(history.record(planNamed(QStringLiteral("Skates"), QStringLiteral("Premium")), kNow.addSecs(120)).isEmpty());
    // Two plans in one second: the later one is listed first.
    EXPECT_FALSE(history.record(planNamed(QStringLiteral("Skates")), kNow.addMSecs(60'500)).isEmpty());

    const std::vector<Snapshot> kept = history.snapshots();
    EXPECT_EQ(productNames(kept), (QStringList{QStringLiteral("Skates"), QStringLiteral("Rockets"), QStringLiteral("Skates")}));
    EXPECT_EQ(kept[0].time, kNow.addMSecs(60'500));
    EXPECT_EQ(kept[2].plan.statements.at(QStringLiteral("SecondStatementMkt_2")), QStringLiteral("Premium"));
    // Nothing staged is left behind.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(PlanHistoryTest, NeverReplacesAFileAndPassesOverFilesNotItsOwn)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString taken = folder + QStringLiteral("/2026-12-09 101500.000 Skates.json");
    quillora::testing::writeFile(taken, "not a plan");
    quillora::testing::writeFile(folder + QStringLiteral("/notes.json"), planFileJson(planNamed(QStringLiteral("Notes"))));

    const QString path = history.record(planNamed(QStringLiteral("Skates")), kNow);
    EXPECT_EQ(path, folder + QStringLiteral("/2026-12-09 101500.000 Skates (2).json"));
    EXPECT_EQ(quillora::testing::readFile(taken), QByteArray("not a plan"));
    EXPECT_EQ(productNames(history.snapshots()), QStringList{QStringLiteral("Skates")});
}

// Snapshots by age in hours, oldest last; which survive thinning at kNow.
TEST_F(PlanHistoryTest, ThinsToTheNewestFiftyThenOneADayForAMonth)
{
    // 50 within the last hours, then two a day for 40 days before them.
    std::vector<int> ageHours;
    for (int i = 0; i < kKeptSnapshots; ++i)
        ageHours.push_back(0);
    for (int day = 1; day <= 40; ++day) {
        ageHours.push_back(day * 24 - 2);
        ageHours.push_back(day * 24 - 1);
    }
    int n = 0;
    for (const int hours : ageHours) {
        const QDateTime time = kNow.addSecs(-qint64(hours) * 3600 - n);
        ASSERT_FALSE(history.record(planNamed(QStringLiteral("P%1").arg(n++)), time).isEmpty());
    }
    // record() thins as it goes; thin once more at the end, as at kNow.
    history.thin(kNow);
    // The newest fifty, then of each of the 30 days before kNow its newer
    // snapshot (P50, P52, ...); nothing older than a month.
    QStringList expected;
    for (int i = 0; i < kKeptSnapshots; ++i)
        expected << QStringLiteral("P%1").arg(i);
    for (int day = 1; day <= kThinnedDays; ++day)
        expected << QStringLiteral("P%1").arg(kKeptSnapshots + 2 * (day - 1));
    EXPECT_EQ(productNames(history.snapshots()), expected);
}

struct ChangeRow {
    const char* name;
    PlanDocument older, newer;
    QStringList parts;
};

TEST(PlanHistoryChanges, NameWhatDiffers)
{
    PlanDocument titled = planNamed(QStringLiteral("Skates"), QStringLiteral("a"));
    titled.planTitle = QStringLiteral("2027");
    titled.hasPlanTitle = true;
    PlanDocument emptyTitle = planNamed(QStringLiteral("Skates"), QStringLiteral("a"));
    emptyTitle.hasPlanTitle = true;
    PlanDocument summary = planNamed(QStringLiteral("Skates"), QStringLiteral("a"));
    summary.statements[QStringLiteral("FirstStatementMkt_0")] = QString();
    const ChangeRow rows[] = {
        {"same", planNamed(QStringLiteral("Skates"), QStringLiteral("a")), planNamed(QStringLiteral("Skates"), QStringLiteral("a")), {}},
        {"name", planNamed(QStringLiteral("Skates")), planNamed(QStringLiteral("Rockets")), {QStringLiteral("product name")}},
        {"title stored empty", planNamed(QStringLiteral("Skates"), QStringLiteral("a")), emptyTitle, {QStringLiteral("plan title")}},
        {"title and pricing", planNamed(QStringLiteral("Skates"), QStringLiteral("b")), titled,
         {QStringLiteral("plan title"), QStringLiteral("Pricing")}},
        {"a section stored empty", planNamed(QStringLiteral("Skates"), QStringLiteral("a")), summary, {QStringLiteral("Market Summary")}},
    };
    for (const ChangeRow& row : rows)
        EXPECT_EQ(changedParts(row.older, row.newer), row.parts) << row.name;
}

} // namespace
