// The main window with the real builder behind its hooks: start-up's
// installed check, and the generate button from press to a deck on the
// desktop, including a press that arrives during a run.

#include "builder/BuilderEntryPoints.h"
#include "builder/SlideFillMap.h"
#include "plan/SectionCatalogue.h"
#include "ui/MainWindow.h"
#include "ui/StoreNotice.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/support/SavedDeck.h"
#include "tests/support/TestFiles.h"

#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

using namespace quillora;
using namespace quillora::testing;

namespace {

struct GenerateButton : ::testing::Test {
    void SetUp() override
    {
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        fake.environment.vars[QStringLiteral("TEMP")] = temp.path();
        window.startUp();
        typePlan();
    }
    void typePlan()
    {
        window.productNameField->setText(QStringLiteral("Acme Marketing Plan"));
        window.planTitleField->setText(QStringLiteral("Growth Plan 2027"));
        window.firstSectionTabs->setTab(0);
        window.firstStatementBox->setText(QStringLiteral("Alpha\r\n- beta"));
    }
    // Start-up gave each strip's current section its hint as well.
    int filledStatements()
    {
        int filled = 0;
        for (const QString& statement : window.plan().statements)
            filled += statement.isEmpty() ? 0 : 1;
        return filled;
    }
    void expectTheTypedDeck()
    {
        ASSERT_EQ(fake.desktop.files, QStringList(workingCopy()));
        const SavedDeck deck = SavedDeck::read(workingCopy());
        ASSERT_GE(deck.slides.size(), 2u);
        EXPECT_EQ(deck.slides[0].shapes.at(1).paragraphs.at(0).text, QStringLiteral("Acme "));
        EXPECT_EQ(deck.slides[0].shapes.at(0).paragraphs.at(0).text, QStringLiteral("Growth Plan 2027"));
        const auto market = deck.slides[1].named(QStringLiteral("Rectangle 98"));
        ASSERT_TRUE(market);
        EXPECT_EQ(market->paragraphs.at(1).text, QStringLiteral("\t- beta"));
    }
    QString workingCopy() const { return temp.path() + QStringLiteral("/marketing_plan_temp.ppt"); }

    MemorySettings plan;
    FakePlatform fake;
    QTemporaryDir temp;
    BuilderEntryPoints builder{fake.platform};
    MainWindow window{fake.platform, plan, builderHooks(builder)};
};

} // namespace

TEST_F(GenerateButton, StartUpFindsTheEngineInstalled)
{
    EXPECT_TRUE(fake.exit.statuses.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(GenerateButton, APressFillsTheDeckAndHandsItToTheDesktop)
{
    window.generateButton->click();

    EXPECT_TRUE(fake.messages.shown.empty()) << (fake.messages.shown.empty() ? "" : fake.messages.shown[0].text.toStdString());
    expectTheTypedDeck();
    EXPECT_FALSE(window.generateCommand().isBusy());
}

// The store refuses from the start (a full disk, a read-only folder), or
// only after the plan was typed: the deck has what the window shows, and
// the refusal is told in the notice, not in a box.
TEST_F(GenerateButton, WhileTheStoreRefusesTheDeckHasWhatTheWindowShows)
{
    const struct {
        const char* reason;
        bool fromTheStart;
    } faults[] = {{"No space left on device", true}, {"Read-only file system", true}, {"Input/output error", false}};
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.reason);
        MemorySettings refusing;
        refusing->refusal = QLatin1String(fault.reason);
        refusing->refuseWrites = fault.fromTheStart;
        MainWindow shown{fake.platform, refusing, builderHooks(builder)};
        shown.startUp();
        shown.productNameField->setText(QStringLiteral("Acme Marketing Plan"));
        shown.planTitleField->setText(QStringLiteral("Growth Plan 2027"));
        refusing->refuseWrites = true;
        shown.firstSectionTabs->setTab(0);
        shown.firstStatementBox->setText(QStringLiteral("Alpha\r\n- beta"));
        fake.desktop.files.clear();
        shown.generateButton->click();
        EXPECT_TRUE(fake.messages.shown.empty());
        expectTheTypedDeck();
        EXPECT_TRUE(shown.storeNotice->text().startsWith(QStringLiteral("Your plan is not being saved: %1.").arg(fault.reason)));
    }
}

// A temporary folder the working copy cannot go in is told plainly, with
// the way out, before anything runs: no error report, no deck.
TEST_F(GenerateButton, ATemporaryFolderThatCannotBeUsedIsToldBeforeTheRun)
{
    const QString file = temp.filePath(QStringLiteral("a file"));
    writeFile(file, "x");
    const std::pair<QString, const char*> folders[] = {{temp.filePath(QStringLiteral("gone")), "does not exist"},
                                                       {file, "is not a folder"}};
    for (const auto& [folder, why] : folders) {
        fake.messages.shown.clear();
        fake.environment.vars[QStringLiteral("TEMP")] = folder;
        window.generateButton->click();
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("The deck cannot be made: the temporary folder \"%1\" %2.\n"
                                                              "Set TEMP to a folder you may write and start Quillora again.")
                                                   .arg(folder, why));
    }
    EXPECT_TRUE(fake.desktop.files.isEmpty());
    EXPECT_FALSE(window.generateCommand().isBusy());
}

TEST_F(GenerateButton, APressDuringARunIsTurnedAwayAndALaterOneRunsAgain)
{
    const int before = fake.events.count; // start-up's own rounds
    int nestedPresses = 0;
    fake.events.onProcess = [&] {
        if (fake.events.count == before + 3) {
            ++nestedPresses;
            window.generateButton->click();
        }
    };
    window.generateButton->click();
    EXPECT_EQ(nestedPresses, 1);
    // One run: eighteen pauses and one per filled statement.
    const int perRun = 18 + filledStatements();
    EXPECT_EQ(filledStatements(), 3);
    EXPECT_EQ(fake.events.count - before, perRun);
    EXPECT_EQ(fake.desktop.files.size(), 1);

    fake.events.onProcess = nullptr;
    window.generateButton->click();
    EXPECT_EQ(fake.events.count - before, 2 * perRun);
    EXPECT_EQ(fake.desktop.files.size(), 2);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(GenerateButton, TheButtonAdvancesOncePerRowOfTheFillMapAndIsPlainAgainAfterTheRun)
{
    const QImage idle = window.generateButton->grab().toImage();
    // What the window shows at each of the run's pauses, where it repaints.
    std::vector<int> done, totals;
    std::vector<Qt::CursorShape> pointers;
    std::vector<QImage> faces;
    fake.events.onProcess = [&] {
        done.push_back(window.generateButton->progressDone());
        totals.push_back(window.generateButton->progressTotal());
        pointers.push_back(window.cursor().shape());
        if (faces.empty() || done.back() != done[done.size() - 2])
            faces.push_back(window.generateButton->grab().toImage());
    };
    window.generateButton->click();

    // Eighteen pauses of the rows and one per filled statement.
    ASSERT_EQ(done.size(), std::size_t(kFillRowCount + filledStatements()));
    // Each row's pause sees one more row done; a statement's own pauses see
    // the rows before it.
    std::vector<int> distinct;
    for (std::size_t i = 0; i < done.size(); ++i) {
        EXPECT_EQ(totals[i], kFillRowCount) << i;
        if (i > 0)
            EXPECT_TRUE(done[i] == done[i - 1] || done[i] == done[i - 1] + 1) << i;
        if (distinct.empty() || distinct.back() != done[i])
            distinct.push_back(done[i]);
    }
    std::vector<int> oneToEighteen(kFillRowCount);
    std::iota(oneToEighteen.begin(), oneToEighteen.end(), 1);
    EXPECT_EQ(distinct, oneToEighteen);
    for (Qt::CursorShape pointer : pointers)
        EXPECT_EQ(pointer, Qt::BusyCursor);
    // Every step shows on the button: no two faces alike, none like the idle one.
    ASSERT_EQ(faces.size(), std::size_t(kFillRowCount));
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NE(faces[i], idle) << i;
        if (i > 0)
            EXPECT_NE(faces[i], faces[i - 1]) << i;
    }

    // Gone afterwards: the button looks as before and the pointer is back.
    EXPECT_FALSE(window.generateButton->showsProgress());
    EXPECT_FALSE(window.showsGenerationRun());
    EXPECT_NE(window.cursor().shape(), Qt::BusyCursor);
    EXPECT_EQ(window.generateButton->grab().toImage(), idle);
    EXPECT_EQ(window.generateButton->text(), QStringLiteral("Start Creating Template"));
    EXPECT_EQ(fake.desktop.files.size(), 1);
    EXPECT_TRUE(fake.messages.shown.empty());
}

// A run asked to stop ends after the slide it is on: no later row is
// written and the engine hands nothing to the desktop.
TEST_F(GenerateButton, AStoppedRunEndsAfterItsSlideAndHandsNothingOn)
{
    int rows = 0;
    const GenerationOutcome outcome =
        builder.generate(window.plan(), [&](int done, int) { rows = done; }, [&] { return rows == 3; });
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(rows, 3);
    EXPECT_TRUE(fake.desktop.files.isEmpty());
    EXPECT_TRUE(builder.engine().openDeckPaths().isEmpty());
    EXPECT_TRUE(fake.messages.shown.empty());
}
