#include "plan/SectionCatalogue.h"
#include "core/AppTitle.h"
#include "ui/HomePage.h"
#include "ui/StoreNotice.h"
#include "core/RuntimeError.h"
#include "ui/MainMenu.h"
#include "ui/spelling/Spelling.h"
#include "core/DataFiles.h"
#include "core/Quoted.h"
#include "plan/SettingsFiles.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanHistory.h"
#include "tests/support/DeckBuilder.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/InstalledTranslations.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillora;
using quillora::testing::WindowFixture;
using quillora::testing::cursorFile;
using quillora::testing::writeFile;

namespace {

QString hintOf(Strip strip, int tab)
{
    return findSection(strip, tab)->hint();
}

// Where a control is in the window's client area, whichever widget holds it.
QRect placeIn(const QWidget& window, const QWidget* control)
{
    return QRect(control->mapTo(&window, QPoint()), control->size());
}

} // namespace

// A folder left where the settings file's lock goes: the notice names the
// lock as the lock, not as the settings file.
TEST(StoreNoticeWords, ALockThatCannotBeTakenIsNamedAsTheLock)
{
    const QString lock = settingsLockFile(planStoreFile());
    ASSERT_TRUE(QDir().mkpath(lock));
    const auto cleanUp = qScopeGuard([&] { QDir(lock).removeRecursively(); });
    StoreNotice notice;
    try {
        openUserPlanStore()->write(QStringLiteral("Company Name"), QStringLiteral("Acme"));
        ADD_FAILURE() << "the write went through";
    } catch (const PlanStoreError& error) {
        notice.showFailure(error);
    }
    EXPECT_EQ(notice.text(), QStringLiteral("Your plan is not being saved: Is a directory.\nWhat you type stays in this "
                                            "window and is saved as soon as the lock of the settings file can be taken "
                                            "again: ") + lock);
}

class Form1Layout : public WindowFixture {};

TEST_F(Form1Layout, AtTheDesignedSizeEveryControlSitsAtItsDesignedPlaceBelowTheMenuBar)
{
    MainWindow& w = window();
    const int bar = w.menu().bar()->sizeHint().height();
    ASSERT_GT(bar, 0);
    EXPECT_EQ(w.size(), QSize(848, 749 + bar));
    w.show(); // laid out as the user sees it
    EXPECT_EQ(w.menu().bar()->geometry(), QRect(0, 0, 848, bar));
    // The classic form's places, below the menu bar; fields and statement
    // boxes are placed inside their frames and picture boxes.
    const struct {
        QWidget* control;
        QWidget* parent;
        QRect place;
    } expected[] = {
        {w.generateButton, &w, QRect(8, 8, 832, 27)},
        {w.productNameFrame, &w.form(), QRect(8, 37, 832, 55)},
        {w.planTitleFrame, &w.form(), QRect(8, 96, 832, 55)},
        {w.productNameField, w.productNameFrame, QRect(16, 20, 800, 25)},
        {w.planTitleField, w.planTitleFrame, QRect(16, 20, 800, 25)},
        {w.firstSectionTabs, &w.form(), QRect(8, 159, 832, 289)},
        {w.secondSectionTabs, &w.form(), QRect(8, 456, 832, 285)},
        {w.firstStatementPage, &w.form(), QRect(12, 203, 813, 240)},
        {w.secondStatementPage, &w.form(), QRect(12, 500, 813, 237)},
    };
    for (const auto& c : expected) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        EXPECT_EQ(c.control->parentWidget(), c.parent);
        const bool inFrame = c.parent != &w && c.parent != &w.form();
        EXPECT_EQ(inFrame ? c.control->geometry() : placeIn(w, c.control), c.place.translated(0, inFrame ? 0 : bar));
    }
    // Each statement box with its fit meter line under it fills the box's
    // designed place in its picture box.
    for (const auto& [box, line, place] : {std::tuple{w.firstStatementBox, w.firstFitLine, QRect(8, 8, 798, 225)},
                                           std::tuple{w.secondStatementBox, w.secondFitLine, QRect(8, 8, 798, 221)}}) {
        EXPECT_EQ(line->parentWidget(), box->parentWidget());
        EXPECT_EQ(box->geometry().united(line->geometry()), place);
        EXPECT_EQ(line->y(), box->geometry().bottom() + 1);
        EXPECT_GT(line->height(), 0);
    }
    // The picture boxes lie over the strips' pages.
    EXPECT_TRUE(w.firstSectionTabs->geometry().adjusted(0, w.firstSectionTabs->pageRect().top(), 0, 0).contains(w.firstStatementPage->geometry()));
    EXPECT_TRUE(w.secondSectionTabs->geometry().adjusted(0, w.secondSectionTabs->pageRect().top(), 0, 0).contains(w.secondStatementPage->geometry()));
}

TEST_F(Form1Layout, MadeLargerTheStatementBoxesTakeTheRoomAndTheFieldsWiden)
{
    MainWindow& w = window();
    w.show();
    const QSize before = w.size();
    const QRect firstBox = w.firstStatementBox->geometry(), secondBox = w.secondStatementBox->geometry();
    const QRect button = w.generateButton->geometry(), frame = w.productNameFrame->geometry();
    w.resize(before + QSize(300, 200));
    QApplication::processEvents();
    EXPECT_EQ(w.firstStatementBox->width(), firstBox.width() + 300);
    EXPECT_EQ(w.secondStatementBox->width(), secondBox.width() + 300);
    EXPECT_NEAR(w.firstStatementBox->height() - firstBox.height(), 100, 1);
    EXPECT_EQ(w.firstStatementBox->height() + w.secondStatementBox->height(),
              firstBox.height() + secondBox.height() + 200);
    EXPECT_EQ(w.productNameField->width(), 800 + 300);
    EXPECT_EQ(w.firstSectionTabs->width(), 832 + 300);
    EXPECT_EQ(w.generateButton->geometry(), button.adjusted(0, 0, 300, 0));
    EXPECT_EQ(w.productNameFrame->geometry(), frame.adjusted(0, 0, 300, 0));
    // Each picture box stays on its strip's page.
    EXPECT_TRUE(w.secondSectionTabs->geometry().contains(w.secondStatementPage->geometry()));
}

TEST_F(Form1Layout, AtItsMinimumSizeNothingOverlapsAndEveryControlIsInside)
{
    MainWindow& w = window();
    w.show();
    // Fits 800x500 logical pixels with room for the window's frame.
    EXPECT_LE(w.minimumWidth(), 780);
    EXPECT_LE(w.minimumHeight(), 450);
    EXPECT_GE(w.minimumHeight(), w.layout()->minimumSize().height());
    w.resize(w.minimumSize());
    QApplication::processEvents();
    ASSERT_EQ(w.size(), w.minimumSize());
    const QList<QWidget*> column{w.menu().bar(), w.generateButton, w.productNameFrame, w.planTitleFrame,
                                 w.firstSectionTabs, w.secondSectionTabs};
    for (int i = 0; i < column.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(w.rect().contains(placeIn(w, column[i])));
        if (i > 0)
            EXPECT_LE(placeIn(w, column[i - 1]).bottom(), placeIn(w, column[i]).top());
    }
    EXPECT_EQ(w.generateButton->height(), 27);
    EXPECT_EQ(w.productNameField->height(), 25);
    for (StatementBox* box : {w.firstStatementBox, w.secondStatementBox}) {
        // Still a few lines to write in.
        EXPECT_GE(box->height(), 3 * box->fontMetrics().lineSpacing());
        EXPECT_TRUE(box->parentWidget()->rect().contains(box->geometry()));
    }
}

TEST_F(Form1Layout, TheWindowOpensAgainWhereItWasClosedAndAtThatSize)
{
    MainWindow& first = shownWindow();
    const QRect closedAt(20, 50, 770, 500); // the test screen is 800x600
    first.setGeometry(closedAt);
    first.close();
    ASSERT_FALSE(savedGeometry.isEmpty());
    endWindow();
    EXPECT_EQ(shownWindow().geometry(), closedAt);
    for (const auto& written : store->writes) // nothing of it among the plan's values
        EXPECT_FALSE(written.first.contains(QLatin1String("eometry"))) << written.first.toStdString();
}

TEST_F(Form1Layout, CaptionsFontsTabsAndFrame)
{
    MainWindow& w = window();
    EXPECT_EQ(w.generateButton->text(), QStringLiteral("Start Creating Template"));
    EXPECT_EQ(w.productNameFrame->title(), QStringLiteral("Product Name"));
    EXPECT_EQ(w.planTitleFrame->title(), QStringLiteral("Marketing Plan"));
    EXPECT_EQ(w.font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(w.font().pointSizeF(), 9.0);
    EXPECT_TRUE(w.font().bold());
    EXPECT_DOUBLE_EQ(w.generateButton->font().pointSizeF(), 11.25);
    EXPECT_TRUE(w.generateButton->font().bold());

    EXPECT_EQ(w.firstSectionTabs->count(), 8);
    EXPECT_EQ(w.firstSectionTabs->tabsPerRow(), 4);
    EXPECT_EQ(w.secondSectionTabs->tabsPerRow(), 5);
    EXPECT_EQ(w.firstSectionTabs->tabHeight(), 20);
    EXPECT_EQ(w.firstSectionTabs->tab(), 4);
    EXPECT_EQ(w.secondSectionTabs->tab(), 0);
    EXPECT_EQ(w.firstSectionTabs->captions().at(6), QStringLiteral("Launch  Strategies"));
    EXPECT_EQ(w.secondSectionTabs->captions().at(4), QStringLiteral("Vertical Markets/Segments"));

    // A window that can be resized and maximised.
    EXPECT_NE(w.minimumSize(), w.maximumSize());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(w.productNameFrame->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(w.firstStatementPage->palette().color(w.firstStatementPage->backgroundRole()), QColor(Qt::white));
}

TEST_F(Form1Layout, TabOrderRunsFromTheProductNameToTheButton)
{
    MainWindow& w = window();
    const QList<QWidget*> expected{w.productNameField, w.planTitleField, w.firstStatementBox, w.secondStatementBox,
                                   w.firstSectionTabs, w.secondSectionTabs, w.generateButton};
    QWidget* current = w.productNameField;
    for (int i = 1; i < expected.size(); ++i) {
        do {
            current = current->nextInFocusChain();
        } while (!(current->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(current, expected[i]) << "position " << i;
    }
}

class FormLoad : public WindowFixture {
protected:
    MainWindow* m_windowForHooks = nullptr;
};

// The window on a German desktop, with the built-in German catalogue loaded.
class GermanDesktop : public WindowFixture {
protected:
    quillora::testing::InstalledTranslations german{{QStringLiteral("de-DE")}};
};

TEST_F(GermanDesktop, CaptionsAndHintsAreGermanAndTheHintShownIsTheOneStored)
{
    ASSERT_EQ(german.language, QStringLiteral("de-DE"));
    MainWindow& w = loadedWindow();
    EXPECT_EQ(w.generateButton->text(), QStringLiteral("Foliensatz erstellen"));
    EXPECT_EQ(w.firstSectionTabs->captions().at(5), QStringLiteral("Verpackung und Auftragsabwicklung"));
    EXPECT_EQ(w.productNameFrame->title(), QStringLiteral("Produktname"));
    EXPECT_EQ(w.firstSectionTabs->captions().at(0), QStringLiteral("Marktübersicht"));
    EXPECT_EQ(w.secondSectionTabs->captions().at(7), QStringLiteral("Zeitplan"));
    EXPECT_EQ(w.firstStatementBox->accessibleName(), QStringLiteral("Aussage zu Kommunikationsstrategien"));
    EXPECT_EQ(w.menu().fileMenu()->title(), QStringLiteral("&Datei"));
    EXPECT_EQ(w.menu().openPlan->text(), QStringLiteral("Plan \u00f6&ffnen \u2026"));
    const QString shown = w.firstStatementBox->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Botschaften je Zielgruppe."))) << shown.toStdString();
    EXPECT_EQ(shown, findSection(Strip::First, 4)->shownHint());
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_4")], shown);
}

TEST_F(GermanDesktop, AStatementStoredOnAnEnglishDesktopIsShownAsStored)
{
    store->values[QStringLiteral("FirstStatementMkt_4")] = hintOf(Strip::First, 4);
    EXPECT_EQ(loadedWindow().firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_4")], hintOf(Strip::First, 4));
}

TEST_F(FormLoad, FirstStartWithAnEmptyStoreShowsAndStoresTheTwoInitialHints)
{
    MainWindow& w = loadedWindow();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora"));
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(applicationTitle(), QStringLiteral("Quillora"));
    EXPECT_EQ(w.productNameField->text(), QString());
    EXPECT_EQ(w.planTitleField->text(), QString());
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(w.secondStatementBox->text(), hintOf(Strip::Second, 0));
    EXPECT_EQ(store.statementKeys(),
              (std::vector<QString>{QStringLiteral("FirstStatementMkt_4"), QStringLiteral("SecondStatementMkt_0")}));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_4")], hintOf(Strip::First, 4));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_0")], hintOf(Strip::Second, 0));
    EXPECT_EQ(installedChecks, 1);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FormLoad, StoredValuesComeBackAndTheFirstFieldHasItsTextSelectedWhenShown)
{
    store->values[QStringLiteral("Company Name")] = QStringLiteral("Harbour Lights Coffee");
    store->values[QStringLiteral("Marketing Plan")] = QStringLiteral("Launch 2027");
    store->values[QStringLiteral("FirstStatementMkt_4")] = QStringLiteral("Ours\r\n- line two");
    MainWindow& w = shownWindow();
    EXPECT_EQ(w.productNameField->text(), QStringLiteral("Harbour Lights Coffee"));
    EXPECT_EQ(w.planTitleField->text(), QStringLiteral("Launch 2027"));
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("Ours\r\n- line two"));
    EXPECT_EQ(QApplication::focusWidget(), w.productNameField);
    EXPECT_EQ(w.productNameField->selectedText(), QStringLiteral("Harbour Lights Coffee"));
    EXPECT_EQ(w.plan().productName, QStringLiteral("Harbour Lights Coffee"));
    EXPECT_EQ(w.plan().planTitle, QStringLiteral("Launch 2027"));
}

TEST_F(FormLoad, TwoFailingStepsGiveTwoReportsAndTheStartUpCompletes)
{
    // A skin that is not text, and a folder where the hand cursor should be.
    ASSERT_TRUE(QDir(programDir.path()).mkpath(QStringLiteral("x")));
    writeFile(programDir.filePath(QStringLiteral("x/o.cjs")), QByteArray("\xff\xfe\x00garbage", 10));
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("HAND-M.CUR")));

    MainWindow& w = loadedWindow();
    EXPECT_EQ(reportLines(), (QStringList{QStringLiteral("100"), QStringLiteral("108")}));
    for (const auto& m : fake.messages.shown) {
        EXPECT_EQ(m.title, QStringLiteral("Application Error"));
        EXPECT_TRUE(m.text.contains(QStringLiteral("\r\nin Brindlecoe2021/08/31.Form1.Form_Load at line ")));
    }
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora"));
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(w.secondStatementBox->text(), hintOf(Strip::Second, 0));
    EXPECT_FALSE(w.mouseIcon().has_value());
    EXPECT_EQ(installedChecks, 1);
    // The colours set before the skin failed stay; the skin itself is not applied.
    const QColor face = QApplication::style()->standardPalette().color(QPalette::Button);
    EXPECT_EQ(w.palette().color(QPalette::Window), face);
    for (QWidget* c : {static_cast<QWidget*>(w.productNameFrame), static_cast<QWidget*>(w.planTitleFrame),
                       static_cast<QWidget*>(w.firstStatementPage), static_cast<QWidget*>(w.secondStatementPage)}) {
        EXPECT_EQ(c->palette().color(c->backgroundRole()), face) << c->objectName().toStdString();
        EXPECT_TRUE(c->autoFillBackground());
    }
    // Text boxes, strips and the button keep their own colours.
    EXPECT_EQ(w.productNameField->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(w.firstSectionTabs->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
    EXPECT_TRUE(w.styleSheet().isEmpty());
}

TEST_F(FormLoad, AnUnwritableStoreGivesOneNoticeInTheWindowNotAReport)
{
    store->refuseWrites = true;
    store->refusal = qt_error_string(ENOSPC);
    MainWindow& w = loadedWindow();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(w.storeNotice->isVisibleTo(&w));
    EXPECT_TRUE(w.storeNotice->text().contains(qt_error_string(ENOSPC)));
    EXPECT_TRUE(w.storeNotice->text().contains(store->fileName));
    // Below the lower strip, inside the window, which grew to hold it.
    EXPECT_GT(w.storeNotice->height(), w.storeNotice->fontMetrics().height());
    EXPECT_GT(w.storeNotice->y(), placeIn(w, w.secondSectionTabs).bottom());
    EXPECT_GE(w.height(), w.storeNotice->geometry().bottom());
    // The start-up went on: the boxes show their hints, the last step ran.
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(installedChecks, 1);
}

TEST_F(FormLoad, ANoticeThatAppearsWhileTheWindowShowsKeepsTheWindowOnItsScreen)
{
    MainWindow& w = loadedWindow();
    w.showCentred();
    store->refuseWrites = true;
    store->refusal = qt_error_string(ENOSPC);
    w.planTitleField->setText(QStringLiteral("Typed"));
    ASSERT_TRUE(w.storeNotice->isVisibleTo(&w));
    EXPECT_TRUE(w.screen()->availableGeometry().contains(w.frameGeometry()));
    EXPECT_GE(w.height(), w.storeNotice->geometry().bottom());
}

TEST_F(FormLoad, AnUnreadableStoreIsToldAndItsBlankFieldsNeverOverwriteThePlanLater)
{
    store->values[QStringLiteral("Company Name")] = QStringLiteral("Kept Co");
    store->values[QStringLiteral("FirstStatementMkt_4")] = QStringLiteral("Kept statement");
    store->readRefusal = qt_error_string(EACCES);
    store->refuseWrites = true;
    MainWindow& w = loadedWindow();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(w.storeNotice->text().contains(qt_error_string(EACCES)));

    store->readRefusal.clear();
    store->refuseWrites = false;
    w.planTitleField->setText(QStringLiteral("Typed"));
    EXPECT_FALSE(w.storeNotice->isVisibleTo(&w));
    EXPECT_EQ(store->writes, (std::vector<std::pair<QString, QString>>{{QStringLiteral("Marketing Plan"),
                                                                        QStringLiteral("Typed")}}));
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("Kept Co"));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_4")], QStringLiteral("Kept statement"));
}

TEST_F(FormLoad, ASettingsFileKeptAsDamagedIsNamedInTheNoticeUntilClosed)
{
    store->keptCopy = QStringLiteral("/home/user/.config/Tarnvale/Quillora.conf.damaged-20270314-091502");
    MainWindow& w = loadedWindow();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(w.storeNotice->text().contains(store->keptCopy));
    QToolButton* close = w.storeNotice->findChild<QToolButton*>();
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_FALSE(w.storeNotice->isVisibleTo(&w));
    w.productNameField->setText(QStringLiteral("Acme"));
    EXPECT_FALSE(w.storeNotice->isVisibleTo(&w));
}

TEST_F(FormLoad, TheInstalledCheckIsTheLastStepAndItsFailureIsReported)
{
    hooks.checkPresentationAppInstalled = [] { throw RuntimeError(QStringLiteral("ActiveX component can't create object")); };
    loadedWindow();
    EXPECT_EQ(reportLines(), QStringList{QStringLiteral("136")});
}

TEST_F(FormLoad, StartedAroundTheFirstPaintTheWindowShowsItsPlanFirstAndTheRestFollowsInOrder)
{
    writeFile(programDir.filePath(QStringLiteral("HAND-M.CUR")), cursorFile(32, 32, 6, 1));
    fake.random.value = 0.06f; // the home page opens
    QStringList order;
    hooks.checkPresentationAppInstalled = [&] {
        order << QStringLiteral("check");
        // The hand cursor and the home page came before.
        EXPECT_TRUE(m_windowForHooks->mouseIcon().has_value());
        EXPECT_EQ(fake.desktop.urls.size(), 1);
    };
    // The dictionaries are asked on the opening thread.
    struct AskedDictionaries final : SpellDictionaries {
        std::atomic<bool> asked = false;
        QStringList languages() override { asked = true; return {}; }
        std::unique_ptr<SpellDictionary> open(const QString&) override { return nullptr; }
    } dictionaries;
    fake.platform.spelling = &dictionaries;
    MainWindow& w = window();
    m_windowForHooks = &w;
    w.startUpAroundFirstPaint([&] { order << QStringLiteral("after paint"); });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora"));
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(w.secondStatementBox->text(), hintOf(Strip::Second, 0));
    EXPECT_TRUE(order.isEmpty());
    EXPECT_FALSE(w.mouseIcon().has_value());
    EXPECT_TRUE(fake.desktop.urls.isEmpty());
    EXPECT_FALSE(dictionaries.asked);
    // The hints the load gives wait for the paint; a text typed meanwhile is
    // stored at once, and what was read is never written back.
    EXPECT_TRUE(store->writes.empty());
    w.planTitleField->setText(QStringLiteral("Typed title"));
    ASSERT_EQ(store->writes.size(), 1u);

    w.showCentred();
    for (int round = 0; round < 10 && order.size() < 2; ++round)
        QApplication::processEvents();
    EXPECT_EQ(order, (QStringList{QStringLiteral("after paint"), QStringLiteral("check")}));
    EXPECT_TRUE(fake.messages.shown.empty());
    while (w.spelling().checking(*w.firstStatementBox))
        QApplication::processEvents();
    EXPECT_TRUE(dictionaries.asked);
    std::vector<QString> written;
    for (const auto& [key, value] : store->writes)
        written.push_back(key);
    EXPECT_EQ(written, (std::vector<QString>{QStringLiteral("Marketing Plan"), QStringLiteral("FirstStatementMkt_4"),
                                             QStringLiteral("SecondStatementMkt_0")}));
    EXPECT_EQ(store->values[QStringLiteral("Marketing Plan")], QStringLiteral("Typed title"));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_0")], hintOf(Strip::Second, 0));
}

TEST_F(FormLoad, TheHomePageOpensOnlyWhenSevenIsDrawn)
{
    fake.random.value = 0.06f; // Int(6.0) + 1 = 7
    loadedWindow();
    EXPECT_EQ(fake.desktop.urls, QStringList{QStringLiteral("https://www.tarnvale.example/")});
    ASSERT_EQ(fake.random.seeds.size(), 1u);
    EXPECT_FLOAT_EQ(fake.random.seeds[0], float(fake.clock.timeOfDay));
}

TEST_F(FormLoad, OtherNumbersLeaveTheBrowserAlone)
{
    for (float r : {0.0f, 0.05f, 0.07f, 0.5f, 0.9999f}) {
        fake.random.value = r;
        maybeOpenHomePage(fake.platform);
    }
    EXPECT_TRUE(fake.desktop.urls.isEmpty());
}

TEST_F(FormLoad, ABrowserThatCannotBeStartedIsReportedUnderLine110)
{
    fake.random.value = 0.06f;
    fake.desktop.urlResult = false;
    MainWindow& w = loadedWindow();
    EXPECT_EQ(reportLines(), QStringList{QStringLiteral("110")});
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
}

class PointerRules : public WindowFixture {};

TEST_F(PointerRules, TheButtonShowsTheCustomPointerBackgroundAndFramesTheDefault)
{
    MainWindow& w = shownWindow();
    QTest::mouseMove(w.generateButton, QPoint(20, 10));
    EXPECT_EQ(w.mousePointer(), MainWindow::kCustomPointer);
    // Without a hand cursor file the custom pointer looks like the default one.
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);

    // Straight onto another control: nothing changes.
    QTest::mouseMove(w.firstStatementBox->viewport(), QPoint(30, 30));
    EXPECT_EQ(w.mousePointer(), MainWindow::kCustomPointer);
    QTest::mouseMove(w.productNameField, QPoint(30, 5));
    EXPECT_EQ(w.mousePointer(), MainWindow::kCustomPointer);

    QTest::mouseMove(w.productNameFrame, QPoint(3, 50));
    EXPECT_EQ(w.mousePointer(), MainWindow::kDefaultPointer);

    QTest::mouseMove(w.generateButton, QPoint(20, 10));
    QTest::mouseMove(w.planTitleFrame, QPoint(3, 50));
    EXPECT_EQ(w.mousePointer(), MainWindow::kDefaultPointer);

    QTest::mouseMove(w.generateButton, QPoint(20, 10));
    QTest::mouseMove(&w, QPoint(3, w.height() - 3)); // the strip between the page and the window's edge
    EXPECT_EQ(w.mousePointer(), MainWindow::kDefaultPointer);

    QTest::mouseMove(w.generateButton, QPoint(20, 10));
    QTest::mouseMove(&w, QPoint(20, w.planTitleFrame->mapTo(&w, QPoint()).y() - 2)); // between the two frames
    EXPECT_EQ(w.mousePointer(), MainWindow::kDefaultPointer);
}

TEST_F(PointerRules, WithAHandCursorTheButtonShowsIt)
{
    writeFile(programDir.filePath(QStringLiteral("HAND-M.CUR")), cursorFile(32, 32, 6, 1));

    MainWindow& w = shownWindow();
    EXPECT_TRUE(fake.messages.shown.empty());
    ASSERT_TRUE(w.mouseIcon().has_value());
    EXPECT_EQ(w.mouseIcon()->hotSpot(), QPoint(6, 1));
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(w.generateButton, QPoint(20, 10));
    EXPECT_EQ(w.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(w.cursor().hotSpot(), QPoint(6, 1));
    QTest::mouseMove(w.productNameFrame, QPoint(3, 50));
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
}

// An installed copy: the program in <prefix>/bin, its cursor and skin in
// <prefix>/share/quillora.
class InstalledWindow : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/quillora/x")));
        fake.environment.program = prefix.filePath(QStringLiteral("bin"));
    }
    QString shared(const char* name) const { return prefix.filePath(QStringLiteral("share/quillora/") + QLatin1String(name)); }
    QString beside(const char* name) const { return prefix.filePath(QStringLiteral("bin/") + QLatin1String(name)); }

    QTemporaryDir prefix;
};

TEST_F(InstalledWindow, TheCursorAndSkinInTheDataFolderAreUsed)
{
    writeFile(shared("HAND-M.CUR"), cursorFile(32, 32, 9, 2));
    writeFile(shared("x/o.cjs"), "QPushButton { color: navy; }\n");

    MainWindow& w = shownWindow();
    EXPECT_TRUE(fake.messages.shown.empty());
    ASSERT_TRUE(w.mouseIcon().has_value());
    EXPECT_EQ(w.mouseIcon()->hotSpot(), QPoint(9, 2));
    EXPECT_TRUE(w.skin().loaded());
    EXPECT_EQ(w.styleSheet(), QStringLiteral("QPushButton { color: navy; }\n"));
}

TEST_F(InstalledWindow, FilesBesideTheProgramWinOverTheDataFolder)
{
    writeFile(shared("HAND-M.CUR"), cursorFile(32, 32, 9, 2));
    writeFile(beside("HAND-M.CUR"), cursorFile(32, 32, 4, 7));
    writeFile(shared("x/o.cjs"), "QPushButton { color: navy; }\n");
    ASSERT_TRUE(QDir(fake.environment.program).mkpath(QStringLiteral("x")));
    writeFile(beside("x/o.cjs"), "QPushButton { color: teal; }\n");

    MainWindow& w = shownWindow();
    ASSERT_TRUE(w.mouseIcon().has_value());
    EXPECT_EQ(w.mouseIcon()->hotSpot(), QPoint(4, 7));
    EXPECT_EQ(w.styleSheet(), QStringLiteral("QPushButton { color: teal; }\n"));
}

TEST_F(InstalledWindow, ABrokenCursorBesideTheProgramIsReportedEvenWithAGoodOneInstalled)
{
    writeFile(shared("HAND-M.CUR"), cursorFile(32, 32, 9, 2));
    ASSERT_TRUE(QDir(fake.environment.program).mkdir(QStringLiteral("HAND-M.CUR")));
    MainWindow& w = loadedWindow();
    EXPECT_EQ(reportLines(), QStringList{QStringLiteral("108")});
    EXPECT_FALSE(w.mouseIcon().has_value());
}

TEST_F(PointerRules, ClosingTheWindowEndsTheProgram)
{
    MainWindow& w = shownWindow();
    w.close();
    EXPECT_EQ(fake.exit.statuses, std::vector<int>{0});
}

// Closing while typed text is not in the store asks first, with the reason
// the store gave for that text; Save Plan As writes the window's plan.
TEST_F(PointerRules, ClosingWithThePlanNotStoredAsksFirst)
{
    const struct {
        MessageAnswer answer;
        bool saved;
        bool ends;
    } rows[] = {{MessageAnswer::Cancel, false, false}, {MessageAnswer::Discard, false, true}, {MessageAnswer::Save, true, true}};
    QTemporaryDir files;
    const QString planFile = files.filePath(QStringLiteral("kept.json"));
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.answer));
        fake.messages.shown.clear();
        fake.exit.statuses.clear();
        store->refuseWrites = false;
        MainWindow w(fake.platform, store, hooks);
        w.startUp();
        store->refuseWrites = true;
        store->refusal = qt_error_string(ENOSPC);
        w.productNameField->setText(QStringLiteral("Acme LOST"));
        fake.messages.answers = {row.answer};
        fake.files.answers = {planFile};
        w.close();
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Your plan could not be saved: No space left on device. "
                                                              "Save it to a plan file before closing?"));
        EXPECT_EQ(fake.messages.shown[0].buttons, MessageButtons::SaveDiscardCancel);
        EXPECT_EQ(QFileInfo::exists(planFile), row.saved);
        if (row.saved)
            EXPECT_EQ(readPlanFile(planFile).productName, QStringLiteral("Acme LOST"));
        EXPECT_EQ(fake.exit.statuses, row.ends ? std::vector<int>{0} : std::vector<int>{});
    }
}

// At the end of the desktop session nobody can be asked: the plan is stored
// once more, and only when the store still refuses it goes to a plan file
// that the next start names.
TEST_F(PointerRules, TheSessionsEndKeepsThePlanTheStoreStillRefuses)
{
    const QString told = QStringLiteral("When your last session ended, your plan could not be saved. It was kept in ");
    for (const bool storeRecovers : {false, true}) {
        SCOPED_TRACE(storeRecovers);
        fake.messages.shown.clear();
        store->refuseWrites = false;
        auto w = std::make_unique<MainWindow>(fake.platform, store, hooks);
        w->startUp();
        store->refuseWrites = true;
        store->refusal = qt_error_string(ENOSPC);
        w->productNameField->setText(QStringLiteral("Acme KEPT"));
        store->refuseWrites = !storeRecovers;
        w->commitData();
        EXPECT_TRUE(fake.messages.shown.empty());
        const auto stored = store->values.find(QLatin1String(kProductNameKey));
        EXPECT_EQ(stored != store->values.end() && stored->second == QStringLiteral("Acme KEPT"), storeRecovers);
        w.reset();
        store->refuseWrites = false;
        MainWindow next(fake.platform, store, hooks);
        next.startUp();
        if (storeRecovers) {
            EXPECT_TRUE(fake.messages.shown.empty());
            continue;
        }
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        const QString text = fake.messages.shown[0].text;
        ASSERT_TRUE(text.startsWith(told) && text.endsWith(u'.')) << text.toStdString();
        const QString kept = QDir::fromNativeSeparators(text.mid(told.size()).chopped(1));
        EXPECT_EQ(readPlanFile(kept).productName, QStringLiteral("Acme KEPT"));
    }
}

// Closing during a run asks; a Yes stops the run after its slide and the
// window closes once it has ended, a No lets it go on.
TEST_F(PointerRules, ClosingDuringARunAsksToStopIt)
{
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        fake.messages.shown.clear();
        fake.exit.statuses.clear();
        MainWindow w(fake.platform, store, hooks);
        w.startUp();
        bool stopAsked = false;
        onGenerate = [&] {
            fake.messages.answers = {answer};
            w.close();
            stopAsked = runStop();
        };
        w.generateButton->click();
        QApplication::processEvents();
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("A deck is being made. Stop and close?"));
        EXPECT_EQ(stopAsked, answer == MessageAnswer::Yes);
        EXPECT_EQ(fake.exit.statuses, answer == MessageAnswer::Yes ? std::vector<int>{0} : std::vector<int>{});
    }
}

class Menus : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        QDir(userDataFolder()).removeRecursively();
    }
    void TearDown() override { QDir(userDataFolder()).removeRecursively(); }

    QString filePath(const char* name) const { return files.filePath(QLatin1String(name)); }
    QStringList backups() const { return QDir(planBackupFolder()).entryList(QDir::Files); }

    QTemporaryDir files;
};

TEST_F(Menus, TheMenuBarHoldsFileViewToolsAndHelpWithTheirItemsAndKeys)
{
    MainWindow& w = window();
    const MainMenu& menu = w.menu();
    EXPECT_EQ(menu.bar()->actions().size(), 4);
    EXPECT_EQ(menu.fileMenu()->title(), QStringLiteral("&File"));
    EXPECT_EQ(menu.viewMenu()->title(), QStringLiteral("&View"));
    EXPECT_EQ(menu.viewMenu()->actions(), QList<QAction*>{menu.slidePreview});
    EXPECT_EQ(menu.slidePreview->text(), QStringLiteral("Slide &Preview"));
    EXPECT_TRUE(menu.slidePreview->isCheckable());
    EXPECT_EQ(menu.toolsMenu()->title(), QStringLiteral("&Tools"));
    QList<QAction*> tools = menu.toolsMenu()->actions();
    tools.removeIf([](const QAction* action) { return action->isSeparator(); });
    EXPECT_EQ(tools, QList<QAction*>({w.spelling().checkSpellingAction(), w.spelling().languageAction(),
                                      menu.continueLongSections}));
    EXPECT_EQ(menu.helpMenu()->title(), QStringLiteral("&Help"));
    const std::pair<QAction*, QKeySequence> items[] = {
        {menu.openPlan, QKeySequence(QStringLiteral("Ctrl+O"))}, {menu.savePlanAs, QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {menu.planHistory, {}}, {menu.bringBackEdits, {}}, {menu.useTemplate, {}}, {menu.useStandardTemplate, {}}, {menu.quit, QKeySequence(QStringLiteral("Ctrl+Q"))}};
    QStringList texts;
    for (const auto& [action, key] : items) {
        texts << action->text();
        EXPECT_EQ(action->shortcut(), key) << action->text().toStdString();
        EXPECT_TRUE(menu.fileMenu()->actions().contains(action));
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("&Open Plan…"), QStringLiteral("Save Plan &As…"), QStringLiteral("Plan &History…"), QStringLiteral("Bring Back &Edits from a Deck…"), QStringLiteral("Use &Template…"),
                                  QStringLiteral("Use the &Standard Template"), QStringLiteral("&Quit")}));
    EXPECT_EQ(menu.helpMenu()->actions(), QList<QAction*>{menu.about});
    EXPECT_EQ(menu.about->text(), QStringLiteral("&About Quillora"));

    // The keys work from the window.
    shownWindow();
    QTest::keySequence(&w, QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_EQ(fake.exit.statuses, std::vector<int>{0});
}

TEST_F(Menus, AboutNamesTheVersionTheHomePageAndTheLicence)
{
    window().menu().about->trigger();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("About Quillora"));
    for (const char* part : {QUILLORA_VERSION, kHomePageAddress, "All rights reserved"})
        EXPECT_TRUE(fake.messages.shown[0].text.contains(QLatin1String(part))) << part;
}

TEST_F(Menus, SavePlanAsWritesTheWindowsPlanAsAPlanFile)
{
    store->values[QStringLiteral("Company Name")] = QStringLiteral("Acme");
    store->values[QStringLiteral("FirstStatementMkt_2")] = QStringLiteral("Rivals\r\n- two\r\n");
    MainWindow& w = loadedWindow();
    fake.files.answers = {filePath("acme.json")};
    w.menu().savePlanAs->trigger();
    EXPECT_TRUE(fake.messages.shown.empty());
    const PlanDocument saved = readPlanFile(filePath("acme.json"));
    EXPECT_EQ(saved.productName, QStringLiteral("Acme"));
    EXPECT_EQ(saved.statements.at(QStringLiteral("FirstStatementMkt_2")), QStringLiteral("Rivals\r\n- two\r\n"));
    // Cancelled: nothing is written.
    w.menu().savePlanAs->trigger();
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), QStringList{QStringLiteral("acme.json")});
    // An existing file is replaced only after a Yes, asked by the command
    // itself once it knows the file may be written at all.
    fake.files.answers = {filePath("acme.json"), filePath("acme.json")};
    fake.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    // What the window holds is saved, not what the store holds.
    w.productNameField->setText(QStringLiteral("Acme Two"));
    store->values[QStringLiteral("Company Name")] = QStringLiteral("Stored only");
    w.menu().savePlanAs->trigger();
    EXPECT_EQ(readPlanFile(filePath("acme.json")).productName, QStringLiteral("Acme"));
    w.menu().savePlanAs->trigger();
    EXPECT_EQ(readPlanFile(filePath("acme.json")).productName, QStringLiteral("Acme Two"));
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("\"%1\" already exists. Replace it?").arg(filePath("acme.json")));
    EXPECT_EQ(fake.files.replaceQuestions, std::vector(4, ReplaceQuestion::AskedByCaller));
}

// Save Plan As and Use Template's copy never land on a settings file, the
// lock that claims the plan or a template, however the file is named, and
// refuse before anything is asked.
TEST_F(Menus, TheWindowsWritersNeverReplaceTheProgramsOwnFiles)
{
    MainWindow& w = loadedWindow();
    const QString settings = QFileInfo(planStoreFile()).absolutePath();
    ASSERT_TRUE(QDir().mkpath(settings) && QDir().mkpath(userDataFolder()));
    const auto cleanUp = qScopeGuard([&] {
        for (const QString& made : QDir(settings).entryList(QDir::Files | QDir::System))
            QFile::remove(QDir(settings).filePath(made));
    });
    const QString standard = QDir(programDir.path()).filePath(QStringLiteral("marketing_plan.ppt"));
    const std::vector<std::pair<QString, QString>> own{
        {planStoreFile(), QStringLiteral("%1 is the settings file that keeps your plan; write to another file")},
        {planStoreFile() + QStringLiteral(".lock"),
         QStringLiteral("%1 is the lock of the settings file that keeps your plan; write to another file")},
        {planStoreFile() + QStringLiteral(".window-lock"),
         QStringLiteral("%1 is the lock that keeps a second window off your plan; write to another file")},
        {windowSettingsFile(),
         QStringLiteral("%1 is the settings file that keeps the window's size and place; write to another file")},
        {userTemplatePath(), QStringLiteral("%1 is the template in use, which is read and never written; write to "
                                            "another file")},
        {standard, QStringLiteral("%1 is the template in use, which is read and never written; write to another file")},
    };
    for (const auto& [file, sentence] : own) {
        if (!file.endsWith(QStringLiteral(".lock")))
            writeFile(file, file.toUtf8());
    }
    const auto snapshot = [&] {
        QStringList now;
        for (const auto& [file, sentence] : own)
            now << file + QFileInfo(file).lastModified().toString(Qt::ISODateWithMs) + quillora::testing::readFile(file);
        return now;
    };
    const QStringList before = snapshot();
    int made = 0;
    for (const auto& [file, sentence] : own) {
        const QString folder = QFileInfo(file).absolutePath();
        QStringList spellings{file, folder + QStringLiteral("/../") + QFileInfo(folder).fileName() + u'/' +
                                        QFileInfo(file).fileName()};
        spellings << filePath("link") + QString::number(++made);
        ASSERT_TRUE(QFile::link(file, spellings.last()));
        if (QFileInfo::exists(file)) {
            spellings << filePath("hard") + QString::number(made);
            ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(spellings.last()).constData()), 0);
        }
        for (const QString& spelling : spellings) {
            SCOPED_TRACE(spelling.toStdString());
            fake.messages.shown.clear();
            fake.files.answers = {spelling};
            w.menu().savePlanAs->trigger();
            ASSERT_EQ(fake.messages.shown.size(), 1u);
            EXPECT_EQ(fake.messages.shown[0].buttons, MessageButtons::Ok);
            EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("The plan was not saved: ") + sentence.arg(quoted(spelling)));
        }
    }
    EXPECT_EQ(snapshot(), before);

    // Use Template's copy, when the user's own template leads to a settings
    // file or to the program's template.
    writeFile(filePath("brand.pptx"), "a deck");
    for (const auto& [target, sentence] : {own[0], own[5]}) {
        QFile::remove(userTemplatePath());
        ASSERT_TRUE(QFile::link(target, userTemplatePath()));
        fake.messages.shown.clear();
        fake.files.answers = {filePath("brand.pptx")};
        w.menu().useTemplate->trigger();
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].text,
                  QStringLiteral("The template was not changed: ") + sentence.arg(quoted(userTemplatePath())));
    }
    const auto besidesOwnTemplate = [](QStringList files) { return files.removeAt(4), files; };
    EXPECT_EQ(besidesOwnTemplate(snapshot()), besidesOwnTemplate(before));
}

TEST_F(Menus, OpenPlanKeepsTheReplacedPlanAndShowsTheNewOneAsAtStartUp)
{
    store->values[QStringLiteral("Company Name")] = QStringLiteral("Old Co");
    store->values[QStringLiteral("FirstStatementMkt_4")] = QStringLiteral("Old statement");
    MainWindow& w = shownWindow();
    PlanDocument next;
    next.productName = QStringLiteral("New Co");
    next.hasProductName = true;
    next.statements[QStringLiteral("SecondStatementMkt_0")] = QStringLiteral("New advertising\r\n- line");
    writePlanFile(filePath("new.json"), next);
    fake.files.answers = {filePath("new.json")};

    w.menu().openPlan->trigger();
    EXPECT_TRUE(fake.messages.shown.empty());
    ASSERT_EQ(backups().size(), 1);
    const PlanDocument kept = readPlanFile(QDir(planBackupFolder()).filePath(backups().at(0)));
    EXPECT_EQ(kept.productName, QStringLiteral("Old Co"));
    EXPECT_EQ(kept.statements.at(QStringLiteral("FirstStatementMkt_4")), QStringLiteral("Old statement"));
    // ...and in the history.
    EXPECT_EQ(planFileJson(PlanHistory(planHistoryFolder()).snapshots().at(0).plan), planFileJson(kept));

    EXPECT_EQ(w.productNameField->text(), QStringLiteral("New Co"));
    EXPECT_EQ(w.planTitleField->text(), QString());
    EXPECT_EQ(w.secondStatementBox->text(), QStringLiteral("New advertising\r\n- line"));
    // The old plan's statement is gone; the empty section shows, and stores, its hint.
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_4")], hintOf(Strip::First, 4));
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("New Co"));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_0")], QStringLiteral("New advertising\r\n- line"));
}

TEST_F(Menus, APlanFileThatCannotBeReadChangesNothing)
{
    store->values[QStringLiteral("Company Name")] = QStringLiteral("Old Co");
    MainWindow& w = shownWindow();
    writeFile(filePath("bad.json"), "{\"productName\": \"A\", \"productName\": \"B\"}");
    const auto before = store->values;
    store->writes.clear();
    fake.files.answers = {filePath("bad.json")};
    w.menu().openPlan->trigger();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.contains(QStringLiteral("productName"))) << fake.messages.shown[0].text.toStdString();
    EXPECT_TRUE(store->writes.empty());
    EXPECT_EQ(store->values, before);
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(w.productNameField->text(), QStringLiteral("Old Co"));
}

TEST_F(Menus, UseTemplateChecksAsksAndCopiesTheStandardTemplateRemovesTheCopy)
{
    MainWindow& w = loadedWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora"));
    // Not a presentation: told why, nothing copied.
    writeFile(filePath("notes.ppt"), "only text");
    fake.files.answers = {filePath("notes.ppt")};
    w.menu().useTemplate->trigger();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text.toStdString(),
              QStringLiteral("\"%1\" cannot be used as a template: it is not a presentation file")
                  .arg(filePath("notes.ppt"))
                  .toStdString());
    EXPECT_FALSE(QFile::exists(userTemplatePath()));

    // One slide with a title only: the missing places are listed; No keeps
    // the standard template, Yes takes this one.
    const QByteArray partial = quillora::testing::makeDeck({{quillora::testing::textShape(2, QStringLiteral("Title 1"))}, {}, {}});
    writeFile(filePath("brand.pptx"), partial);
    fake.files.answers = {filePath("brand.pptx"), filePath("brand.pptx")};
    fake.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    w.menu().useTemplate->trigger();
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_TRUE(fake.messages.shown[1].text.contains(QStringLiteral("slide 2")));
    EXPECT_EQ(fake.messages.shown[1].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(QFile::exists(userTemplatePath()));
    w.menu().useTemplate->trigger();
    QFile copy(userTemplatePath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), partial);
    // As the desktop shows it: Qt adds the application's display name, when
    // one is set, to a title that does not end with it.
    const QString displayName = QGuiApplication::applicationDisplayName();
    EXPECT_TRUE(displayName == QCoreApplication::applicationName() || w.windowTitle().endsWith(displayName));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora (your own template)"));
    // Removed or put back by another program: the title follows at the next run.
    QFile::remove(userTemplatePath());
    w.generateButton->click();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora"));
    writeFile(userTemplatePath(), partial);
    w.generateButton->click();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora (your own template)"));

    // The standard template again, after a Yes.
    fake.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    w.menu().useStandardTemplate->trigger();
    EXPECT_TRUE(QFile::exists(userTemplatePath()));
    w.menu().useStandardTemplate->trigger();
    EXPECT_FALSE(QFile::exists(userTemplatePath()));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillora"));
}

// A named pipe nobody writes to (a plain open would wait for good) or a
// device that never ends is refused at once as a plan file and as a template.
TEST_F(Menus, OpenPlanAndUseTemplateReadOnlyRegularFiles)
{
    MainWindow& w = loadedWindow();
    ASSERT_EQ(::mkfifo(QFile::encodeName(filePath("pipe")).constData(), 0600), 0);
    for (const auto& [input, kind] : {std::pair(filePath("pipe"), "a named pipe"), {QStringLiteral("/dev/zero"), "a device"}}) {
        fake.messages.shown.clear();
        fake.files.answers = {input, input};
        w.menu().openPlan->trigger();
        w.menu().useTemplate->trigger();
        ASSERT_EQ(fake.messages.shown.size(), 2u);
        EXPECT_EQ(fake.messages.shown[0].text,
                  QStringLiteral("The plan was not opened: the plan file \"%1\" is %2, not a file").arg(input, kind));
        EXPECT_EQ(fake.messages.shown[1].text,
                  QStringLiteral("\"%1\" cannot be used as a template: it is %2, not a presentation file").arg(input, kind));
    }
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_FALSE(QFile::exists(userTemplatePath()));
}

TEST_F(Menus, WhileADeckIsMadeThePlanAndTemplateStayAsTheyAre)
{
    MainWindow& w = shownWindow();
    bool enabledDuringRun = true;
    onGenerate = [&] {
        enabledDuringRun = w.menu().openPlan->isEnabled() || w.menu().useTemplate->isEnabled()
                        || w.menu().useStandardTemplate->isEnabled() || w.menu().planHistory->isEnabled()
                        || w.menu().bringBackEdits->isEnabled();
        w.menu().openPlan->trigger();
        w.menu().useTemplate->trigger();
    };
    w.generateButton->click();
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(fake.files.titles.isEmpty()); // no file was even asked for
    EXPECT_TRUE(w.menu().openPlan->isEnabled());
    EXPECT_TRUE(w.menu().savePlanAs->isEnabled());
}

TEST_F(Menus, ContinueLongSectionsIsOffByDefaultRememberedAndTakenByTheNextRun)
{
    QAction* option = loadedWindow().menu().continueLongSections;
    EXPECT_FALSE(option->isChecked());
    option->setChecked(true);
    window().generateButton->click();
    EXPECT_TRUE(runContinues);
    endWindow();
    EXPECT_TRUE(window().menu().continueLongSections->isChecked()) << "remembered";
}
