#include "plan/SectionCatalogue.h"
#include "core/AppTitle.h"
#include "ui/HomePage.h"
#include "ui/StoreNotice.h"
#include "core/RuntimeError.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include <cerrno>

using namespace quillora;
using quillora::testing::WindowFixture;
using quillora::testing::cursorFile;
using quillora::testing::writeFile;

namespace {

QString hintOf(Strip strip, int tab)
{
    return findSection(strip, tab)->hint();
}

} // namespace

class Form1Layout : public WindowFixture {};

TEST_F(Form1Layout, ControlsSitAtTheirDesignedPlaces)
{
    MainWindow& w = window();
    EXPECT_EQ(w.size(), QSize(848, 749));
    EXPECT_EQ(w.generateButton->geometry(), QRect(8, 8, 832, 27));
    EXPECT_EQ(w.productNameFrame->geometry(), QRect(8, 37, 832, 55));
    EXPECT_EQ(w.planTitleFrame->geometry(), QRect(8, 96, 832, 55));
    EXPECT_EQ(w.productNameField->parentWidget(), w.productNameFrame);
    EXPECT_EQ(w.productNameField->geometry(), QRect(16, 20, 800, 25));
    EXPECT_EQ(w.planTitleField->parentWidget(), w.planTitleFrame);
    EXPECT_EQ(w.firstSectionTabs->geometry(), QRect(8, 159, 832, 289));
    EXPECT_EQ(w.secondSectionTabs->geometry(), QRect(8, 456, 832, 285));
    EXPECT_EQ(w.firstStatementPage->geometry(), QRect(12, 203, 813, 240));
    EXPECT_EQ(w.secondStatementPage->geometry(), QRect(12, 500, 813, 237));
    // The picture boxes belong to the window and lie over the strips' pages.
    EXPECT_EQ(w.firstStatementPage->parentWidget(), &w);
    EXPECT_EQ(w.firstStatementBox->parentWidget(), w.firstStatementPage);
    EXPECT_EQ(w.secondStatementBox->parentWidget(), w.secondStatementPage);
    EXPECT_TRUE(w.firstSectionTabs->geometry().adjusted(0, w.firstSectionTabs->pageRect().top(), 0, 0).contains(w.firstStatementPage->geometry()));
    EXPECT_TRUE(w.secondSectionTabs->geometry().adjusted(0, w.secondSectionTabs->pageRect().top(), 0, 0).contains(w.secondStatementPage->geometry()));
    EXPECT_EQ(w.firstStatementBox->geometry(), QRect(8, 8, 798, 225));
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

    // Fixed frame, no maximise button.
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
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

class FormLoad : public WindowFixture {};

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
    EXPECT_EQ(w.productName(), QStringLiteral("Harbour Lights Coffee"));
    EXPECT_EQ(w.planTitle(), QStringLiteral("Launch 2027"));
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
    EXPECT_GT(w.storeNotice->y(), w.secondSectionTabs->geometry().bottom());
    EXPECT_GE(w.height(), w.storeNotice->geometry().bottom());
    // The start-up went on: the boxes show their hints, the last step ran.
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 4));
    EXPECT_EQ(installedChecks, 1);
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
    hooks.checkPowerPointInstalled = [] { throw RuntimeError(QStringLiteral("ActiveX component can't create object")); };
    loadedWindow();
    EXPECT_EQ(reportLines(), QStringList{QStringLiteral("136")});
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
    QTest::mouseMove(&w, QPoint(3, 746)); // the strip between the page and the window's edge
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
