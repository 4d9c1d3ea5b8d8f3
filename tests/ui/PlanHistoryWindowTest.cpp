// The window's side of the plan's history: when a snapshot is taken while the
// plan is edited and closed, and File > Plan History restoring one.

#include "plan/PlanFileWriter.h"
#include "plan/PlanHistory.h"
#include "ui/MainMenu.h"
#include "ui/SnapshotChooser.h"
#include "ui/WindowHistory.h"
#include "ui/controls/LineBox.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

using namespace quillora;
using quillora::testing::WindowFixture;

namespace {

constexpr qint64 kMinute = 60 * 1000;

struct ScriptedChooser final : SnapshotChooser {
    std::optional<int> choose(const QStringList& shown) override
    {
        lines = shown;
        return answer;
    }
    QStringList lines;
    std::optional<int> answer;
};

class HistoryWindow : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        QDir(planHistoryFolder()).removeRecursively();
        store->values[QStringLiteral("Company Name")] = QStringLiteral("Acme");
    }
    void TearDown() override { QDir(planHistoryFolder()).removeRecursively(); }

    std::vector<Snapshot> kept() const { return PlanHistory(planHistoryFolder()).snapshots(); }
    QStringList keptNames() const
    {
        QStringList names;
        for (const Snapshot& snapshot : kept())
            names << snapshot.plan.productName;
        return names;
    }
};

struct TimingRow {
    const char* name;
    std::vector<std::pair<qint64, const char*>> edits; // minutes waited, then the product name typed
    QStringList kept;                                  // product names kept, newest first, once closed
};

class SnapshotTiming : public HistoryWindow, public ::testing::WithParamInterface<TimingRow> {};

TEST_P(SnapshotTiming, ThePlanIsKeptBeforeEachTenMinutesOfEditingAndOnClose)
{
    MainWindow& w = loadedWindow();
    for (const auto& [minutes, name] : GetParam().edits) {
        fake.clock.monotonic += minutes * kMinute;
        w.productNameField->setText(QString::fromUtf8(name));
    }
    w.close();
    EXPECT_EQ(keptNames(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SnapshotTiming,
    ::testing::Values(TimingRow{"NoEdit", {}, {"Acme"}},
                      TimingRow{"EditsWithinTenMinutes", {{0, "B"}, {5, "C"}, {4, "D"}}, {"D", "Acme"}},
                      TimingRow{"AnEditTenMinutesOn", {{0, "B"}, {9, "C"}, {1, "D"}}, {"D", "C", "Acme"}},
                      TimingRow{"AnIdenticalPlanKeptOnce", {{0, "B"}, {10, "Acme"}, {10, "B"}}, {"B", "Acme"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryWindow, RestoringKeepsTheWindowsPlanFirstThenShowsAndStoresTheOneChosen)
{
    MainWindow& w = loadedWindow();
    auto chooser = std::make_unique<ScriptedChooser>();
    ScriptedChooser& chosen = *chooser;
    w.setSnapshotChooser(std::move(chooser));
    w.menu().planHistory->trigger();
    EXPECT_EQ(fake.messages.shown.back().text, QStringLiteral("No plan has been kept in the history yet."));

    w.productNameField->setText(QStringLiteral("Acme Two")); // "Acme" kept
    fake.clock.monotonic += kMinute;
    w.planTitleField->setText(QStringLiteral("Launch"));
    // Closed without choosing: nothing changes.
    w.menu().planHistory->trigger();
    ASSERT_EQ(chosen.lines.size(), 1);
    EXPECT_TRUE(chosen.lines[0].contains(QStringLiteral("  Acme  the oldest kept"))) << chosen.lines[0].toStdString();
    EXPECT_EQ(keptNames(), QStringList{"Acme"});

    chosen.answer = 0;
    w.menu().planHistory->trigger();
    EXPECT_EQ(keptNames(), (QStringList{"Acme Two", "Acme"}));
    EXPECT_EQ(kept().front().plan.planTitle, QStringLiteral("Launch"));
    EXPECT_EQ(w.productNameField->text(), QStringLiteral("Acme"));
    EXPECT_EQ(w.planTitleField->text(), QString());
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("Acme"));
    EXPECT_EQ(store->values[QStringLiteral("Marketing Plan")], QString());
}

// Where the history cannot be written, a plan that would replace the
// window's is refused; an edit goes on all the same.
TEST_F(HistoryWindow, APlanIsNotReplacedWhenTheOneItReplacesCannotBeKept)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(planHistoryFolder()).path()));
    quillora::testing::writeFile(planHistoryFolder(), "in the way");
    MainWindow& w = loadedWindow();
    w.productNameField->setText(QStringLiteral("Acme Two"));
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("Acme Two"));
    const QTemporaryDir files;
    Plan next;
    next.productName = QStringLiteral("Other");
    writePlanFile(files.filePath(QStringLiteral("next.json")), documentOf(next));
    fake.files.answers = {files.filePath(QStringLiteral("next.json"))};
    w.menu().openPlan->trigger();
    ASSERT_FALSE(fake.messages.shown.empty());
    EXPECT_TRUE(fake.messages.shown.back().text.startsWith(QStringLiteral("The plan was not opened: cannot create the folder")))
        << fake.messages.shown.back().text.toStdString();
    EXPECT_EQ(w.productNameField->text(), QStringLiteral("Acme Two"));
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("Acme Two"));
    QFile::remove(planHistoryFolder());
}

} // namespace
