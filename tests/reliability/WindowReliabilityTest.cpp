// The main window through error storms, hard texts and a failing store,
// with the real builder, engine and plan store behind it: after a
// generation run full of error reports the window still edits, stores and
// generates; the statement boxes show and store the hard texts exactly;
// what is typed while the store fails is stored once it is back.

#include "builder/BuilderEntryPoints.h"
#include "builder/MarketingPlanGenerator.h"
#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "ui/MainWindow.h"
#include "ui/StoreNotice.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/support/SavedDeck.h"
#include "tests/reliability/EdgeTexts.h"
#include "tests/reliability/ProbeProcess.h"

#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <cerrno>

using namespace quillora;
using namespace quillora::testing;

namespace {

// The body shape of the first strip's section on that tab (slides 2 to 9).
SavedShape bodyOf(const SavedDeck& deck, int tab)
{
    const char* name = tab == 0 ? "Rectangle 98" : tab == 2 ? "Rectangle 18" : "Rectangle 3";
    const std::optional<SavedShape> shape = deck.slides.at(size_t(1 + tab)).named(QLatin1String(name));
    return shape ? *shape : SavedShape{};
}

void clearRealStore()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"), QStringLiteral("Quillora"))
        .clear();
}

struct WindowUnderStorm : ::testing::Test {
    WindowUnderStorm() { clearRealStore(); }

    void SetUp() override
    {
        fake.environment.program = emptyProgramFolder.path(); // no template there
        fake.environment.vars[QStringLiteral("TEMP")] = temp.path();
        window.startUp();
        ASSERT_TRUE(fake.messages.shown.empty());
        window.firstStatementBox->setText(QStringLiteral("Alpha\r\n- beta"));
    }

    // Start-up stored the hint of each strip's current section, and the set-up
    // typed into the first strip's: those two rows are filled.
    std::vector<int> filledWriteLines() const
    {
        return {124 + 6 * window.firstSectionTabs->tab(), 124 + 6 * (8 + window.secondSectionTabs->tab())};
    }
    std::vector<int> expected(std::vector<int> before, const std::vector<int>& after) const
    {
        const std::vector<int> filled = filledWriteLines();
        before.insert(before.end(), filled.begin(), filled.end());
        before.insert(before.end(), after.begin(), after.end());
        return before;
    }

    std::vector<int> reported() const
    {
        return reportedLines(fake.messages, kGenerateMarketPlanLocation);
    }

    // Editing, storing and generating all work, with the template back.
    void expectTheWindowStillWorks()
    {
        EXPECT_FALSE(window.generateCommand().isBusy());
        fake.messages.shown.clear();

        const int typedTab = window.firstSectionTabs->tab();
        window.productNameField->setText(QStringLiteral("Acme"));
        EXPECT_EQ(plan->value(QStringLiteral("Company Name")), QStringLiteral("Acme"));
        const int otherTab = (typedTab + 3) % kTabsPerStrip;
        window.firstSectionTabs->setTab(otherTab);
        EXPECT_EQ(window.firstStatementBox->text(), findSection(Strip::First, otherTab)->hint());
        window.firstStatementBox->setText(QStringLiteral("Positioned"));
        EXPECT_EQ(plan->value(statementKey(Strip::First, otherTab)), QStringLiteral("Positioned"));

        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        window.generateButton->click();
        EXPECT_TRUE(fake.messages.shown.empty())
            << (fake.messages.shown.empty() ? "" : fake.messages.shown.front().text.toStdString());
        ASSERT_FALSE(fake.desktop.files.isEmpty());
        const SavedDeck deck = SavedDeck::read(fake.desktop.files.back());
        ASSERT_GE(deck.slides.size(), 17u);
        EXPECT_EQ(bodyOf(deck, typedTab).paragraphs.at(0).text, QStringLiteral("Alpha"));
        EXPECT_EQ(bodyOf(deck, otherTab).paragraphs.at(0).text, QStringLiteral("Positioned"));
    }

    FakePlatform fake;
    QTemporaryDir temp;
    QTemporaryDir emptyProgramFolder;
    const std::unique_ptr<PlanStore> plan = openUserPlanStore();
    BuilderEntryPoints builder{fake.platform};
    automation::AutomationRuntime nothingRegistered;
    bool engineUnreachable = false;
    BuilderHooks hooks()
    {
        BuilderHooks h = builderHooks(builder);
        const auto generate = h.generateMarketPlan;
        h.generateMarketPlan = [this, generate](const GenerationRun& run) {
            if (engineUnreachable)
                generateMarketPlan(WindowRun{fake, nothingRegistered}, run.plan);
            else
                generate(run);
        };
        return h;
    }
    MainWindow window{fake.platform, *plan, hooks()};
};

TEST_F(WindowUnderStorm, AMissingTemplateShowsEachReportOnceAndTheWindowStillWorks)
{
    window.generateButton->click();

    EXPECT_EQ(reported(), expected({104, 108, 110, 114}, {226}));
    EXPECT_EQ(reported().size(), fake.messages.shown.size()) << "only error reports were shown";
    expectTheWindowStillWorks();
}

TEST_F(WindowUnderStorm, AnUnreachableEngineShowsEachReportOnceAndTheWindowStillWorks)
{
    engineUnreachable = true;
    fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
    window.generateButton->click();

    EXPECT_EQ(reported(), expected({100, 102, 106, 108, 110, 114}, {224, 226}));
    EXPECT_EQ(reported().size(), fake.messages.shown.size()) << "only error reports were shown";
    engineUnreachable = false;
    expectTheWindowStillWorks();
}

TEST_F(WindowUnderStorm, TextTypedWhileAStormRunsIsStored)
{
    // Pending window events run at the start of every pause of the run.
    int pauses = 0;
    fake.events.onProcess = [&] { window.planTitleField->setText(QStringLiteral("Typed %1").arg(++pauses)); };
    window.generateButton->click();
    fake.events.onProcess = nullptr;
    EXPECT_EQ(pauses, 18);
    EXPECT_EQ(plan->value(QStringLiteral("Marketing Plan")), QStringLiteral("Typed 18"));
    expectTheWindowStillWorks();
}

// ---------------------------------------------------------------------------

struct StatementBoxTexts : ::testing::Test {
    StatementBoxTexts() { clearRealStore(); }
    void SetUp() override
    {
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        window.startUp();
    }
    FakePlatform fake;
    const std::unique_ptr<PlanStore> plan = openUserPlanStore();
    BuilderEntryPoints builder{fake.platform};
    MainWindow window{fake.platform, *plan, builderHooks(builder)};
};

TEST_F(StatementBoxTexts, HardTextsAreShownAndStoredExactly)
{
    const std::vector<QString> texts = {edge::outsideTheBasicPlane(), edge::rightToLeft(), edge::onlyLineBreaks(),
                                        edge::megabyteLine()};
    // Shown: a stored statement comes into the box of the next start unchanged.
    for (int tab = 0; tab < static_cast<int>(texts.size()); ++tab)
        plan->write(statementKey(Strip::Second, tab + 1), texts[size_t(tab)]);
    MainWindow next{fake.platform, *plan, builderHooks(builder)};
    next.startUp();
    for (int tab = 0; tab < static_cast<int>(texts.size()); ++tab) {
        SCOPED_TRACE(tab);
        const QString key = statementKey(Strip::Second, tab + 1);
        next.secondSectionTabs->setTab(tab + 1);
        ASSERT_TRUE(next.secondStatementBox->text() == texts[size_t(tab)]);

        // Stored: what the box holds goes back to the store unchanged, also
        // as another process reads it.
        next.secondStatementBox->setText(texts[size_t(tab)] + QStringLiteral("\r\nEnd"));
        ASSERT_TRUE(plan->value(key) == texts[size_t(tab)] + QStringLiteral("\r\nEnd"));
        SettingsHome home(qEnvironmentVariable("XDG_CONFIG_HOME"));
        ASSERT_TRUE(home.dump({key})[key].toString() == texts[size_t(tab)] + QStringLiteral("\r\nEnd"));
    }
}

TEST_F(StatementBoxTexts, TypedRightToLeftTextIsStoredAsTyped)
{
    window.firstSectionTabs->setTab(2);
    window.firstStatementBox->setText(QString());
    window.firstStatementBox->setFocus();
    // Key by key, as a keyboard layout delivers them (QTest::keyClicks only
    // knows ASCII).
    const QString typed = QStringLiteral("\u05E9\u05DC\u05D5\u05DD abc \u0645\u0631\u062D\u0628\u0627 \U0001F680");
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const qsizetype n = typed[i].isHighSurrogate() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed.mid(i, n));
        QCoreApplication::sendEvent(window.firstStatementBox, &press);
        i += n - 1;
    }
    EXPECT_EQ(window.firstStatementBox->text(), typed);
    EXPECT_EQ(plan->value(QStringLiteral("FirstStatementMkt_2")), typed);
}

// ---------------------------------------------------------------------------

struct WindowOnAFailingStore : ::testing::Test {
    WindowOnAFailingStore() { clearRealStore(); }
    FakePlatform fake;
    const std::unique_ptr<PlanStore> plan = openUserPlanStore();
    BuilderEntryPoints builder{fake.platform};
    MainWindow window{fake.platform, *plan, builderHooks(builder)};
    SettingsHome home{qEnvironmentVariable("XDG_CONFIG_HOME")};
};

TEST_F(WindowOnAFailingStore, EverythingTypedWhileTheStoreRefusedIsStoredOnceItIsBack)
{
    window.startUp();
    const QString below = statementKey(Strip::Second, 0);
    {
        FolderReplacedByFile blocked(home.folder());
        window.productNameField->setText(QStringLiteral("Acme"));
        window.planTitleField->setText(QStringLiteral("Spring launch"));
        window.firstStatementBox->setText(QStringLiteral("Typed on tab 4"));
        window.firstSectionTabs->setTab(1);
        window.firstStatementBox->setText(QStringLiteral("Typed on tab 1"));
        window.firstSectionTabs->setTab(4);
        EXPECT_EQ(window.firstStatementBox->text(), QStringLiteral("Typed on tab 4")) << "what was typed, not the store";
        window.secondStatementBox->setText(QStringLiteral("Typed below"));
        EXPECT_TRUE(window.storeNotice->text().contains(qt_error_string(ENOTDIR)));
        EXPECT_TRUE(window.storeNotice->text().contains(home.file()));
    }
    window.secondStatementBox->setText(QStringLiteral("Typed below, then more"));
    EXPECT_FALSE(window.storeNotice->isVisibleTo(&window));
    EXPECT_TRUE(fake.messages.shown.empty());

    const QJsonObject stored = home.dump({QStringLiteral("Company Name"), QStringLiteral("Marketing Plan"),
                                          statementKey(Strip::First, 4), statementKey(Strip::First, 1), below});
    EXPECT_EQ(stored[QStringLiteral("Company Name")].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[QStringLiteral("Marketing Plan")].toString(), QStringLiteral("Spring launch"));
    EXPECT_EQ(stored[statementKey(Strip::First, 4)].toString(), QStringLiteral("Typed on tab 4"));
    EXPECT_EQ(stored[statementKey(Strip::First, 1)].toString(), QStringLiteral("Typed on tab 1"));
    EXPECT_EQ(stored[below].toString(), QStringLiteral("Typed below, then more"));
}

TEST_F(WindowOnAFailingStore, ADamagedSettingsFileIsKeptBeforeTheStartUpWritesAndTheNoticeSaysWhere)
{
    const QByteArray damaged("[General]\nCompany%20Name=Acme\n\x01\x02\xff\xfe binary junk\n");
    home.writeRaw(damaged);
    window.startUp();
    const QString kept = plan->keptDamagedCopy();
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_EQ(readFile(kept), damaged);
    EXPECT_TRUE(window.storeNotice->text().contains(kept));
    EXPECT_EQ(window.productNameField->text(), QStringLiteral("Acme"));
    EXPECT_TRUE(fake.messages.shown.empty());
}

} // namespace
