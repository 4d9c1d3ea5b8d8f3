#include "plan/SectionCatalogue.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/WindowFixture.h"
#include "ui/SectionEditor.h"

#include <QTest>

using namespace quillora;
using quillora::testing::MemorySettings;
using quillora::testing::WindowFixture;

namespace {

QString hintOf(Strip strip, int tab)
{
    return findSection(strip, tab)->hint();
}

const QString kFirst1 = QStringLiteral("FirstStatementMkt_1");

// The section editor on bare controls in a plain host widget, over the
// in-memory plan store: the two strips with the window's captions and initial
// tab, the two statement boxes and the two fields.
class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto strip = [this](Strip which, int tabsPerRow, int top) {
            auto* tabs = new TabStrip(&host);
            QStringList captions;
            for (int tab = 0; tab < kTabsPerStrip; ++tab)
                captions << findSection(which, tab)->captionText();
            tabs->setCaptions(captions);
            tabs->setTabsPerRow(tabsPerRow);
            tabs->setGeometry(0, top, 800, 240);
            return tabs;
        };
        controls.productNameField = new LineBox(&host);
        controls.productNameField->setGeometry(0, 0, 800, 24);
        controls.planTitleField = new LineBox(&host);
        controls.planTitleField->setGeometry(0, 30, 800, 24);
        controls.firstSectionTabs = strip(Strip::First, 4, 60);
        controls.secondSectionTabs = strip(Strip::Second, 5, 420);
        controls.firstStatementBox = new StatementBox(&host);
        controls.firstStatementBox->setGeometry(0, 310, 800, 100);
        controls.secondStatementBox = new StatementBox(&host);
        controls.secondStatementBox->setGeometry(0, 670, 800, 100);
        controls.firstSectionTabs->blockSignals(true);
        controls.firstSectionTabs->setTab(4);
        controls.firstSectionTabs->blockSignals(false);
        host.resize(800, 780);
        editor = SectionEditor(controls, keeper);
        editor.connectControls();
    }

    // Shown and active, so focus changes raise their events, with both
    // strips' sections loaded as at start-up.
    const EditorControls& shownControls()
    {
        host.show();
        QApplication::setActiveWindow(&host);
        QApplication::processEvents();
        keeper.load();
        editor.showSection(Strip::First);
        editor.showSection(Strip::Second);
        return controls;
    }

    // The host, and the controls with it, goes first, before the editor
    // their signals reach and the store it writes to.
    MemorySettings store;
    PlanKeeper keeper{store};
    SectionEditor editor{EditorControls{}, keeper};
    EditorControls controls;
    QWidget host;
};

} // namespace

class SectionLoad : public EditorFixture {};

TEST_F(SectionLoad, ChoosingProductDefinitionShowsAndStoresItsOneLineHint)
{
    const EditorControls& w = shownControls();
    store->writes.clear();
    w.firstSectionTabs->setTab(1);
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("Describe product/service being marketed."));
    ASSERT_EQ(store->writes.size(), 1u);
    EXPECT_EQ(store->writes[0], std::make_pair(kFirst1, QStringLiteral("Describe product/service being marketed.")));
    // The load moves the focus to the box, without selecting anything.
    EXPECT_EQ(QApplication::focusWidget(), w.firstStatementBox);
    EXPECT_FALSE(w.firstStatementBox->textCursor().hasSelection());
}

TEST_F(SectionLoad, ClickingATabWithTheMouseLoadsIt)
{
    const EditorControls& w = shownControls();
    QTest::mouseClick(w.secondSectionTabs, Qt::LeftButton, {}, w.secondSectionTabs->tabRect(7).center());
    EXPECT_EQ(w.secondSectionTabs->tab(), 7);
    EXPECT_EQ(w.secondStatementBox->text(), hintOf(Strip::Second, 7));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_7")], hintOf(Strip::Second, 7));
}

TEST_F(SectionLoad, EmptyingAStatementThenLeavingAndComingBackBringsTheHintBack)
{
    const EditorControls& w = shownControls();
    w.firstSectionTabs->setTab(1);
    w.firstStatementBox->selectAll();
    QTest::keyClick(w.firstStatementBox, Qt::Key_Delete);
    EXPECT_EQ(store->values[kFirst1], QString());
    w.firstSectionTabs->setTab(2);
    w.firstSectionTabs->setTab(1);
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 1));
    EXPECT_EQ(store->values[kFirst1], hintOf(Strip::First, 1));
}

TEST_F(SectionLoad, AStatementOfOnlySpacesOrOnlyALineBreakIsShownAsStored)
{
    store->values[QStringLiteral("FirstStatementMkt_0")] = QStringLiteral("   ");
    store->values[QStringLiteral("FirstStatementMkt_3")] = QStringLiteral("\r\n");
    const EditorControls& w = shownControls();
    w.firstSectionTabs->setTab(0);
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("   "));
    w.firstSectionTabs->setTab(3);
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("\r\n"));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_3")], QStringLiteral("\r\n"));
}

TEST_F(SectionLoad, TheTwoStripsAreIndependent)
{
    const EditorControls& w = shownControls();
    w.firstStatementBox->setText(QStringLiteral("upper text"));
    const auto before = store->values;
    store->writes.clear();
    w.secondSectionTabs->setTab(3);
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("upper text"));
    EXPECT_EQ(w.firstSectionTabs->tab(), 4);
    ASSERT_EQ(store->writes.size(), 1u);
    EXPECT_EQ(store->writes[0].first, QStringLiteral("SecondStatementMkt_3"));
    for (const auto& [key, value] : before) {
        if (key.startsWith(QLatin1String("FirstStatementMkt_")))
            EXPECT_EQ(store->values[key], value) << key.toStdString();
    }
}

TEST_F(SectionLoad, AnIncomingTextEqualToTheOutgoingOneIsStillStored)
{
    // The box holds exactly tab 1's hint, typed on tab 0; tab 1 has nothing stored.
    const EditorControls& w = shownControls();
    w.firstSectionTabs->setTab(0);
    w.firstStatementBox->setText(hintOf(Strip::First, 1));
    ASSERT_EQ(store->values.count(kFirst1), 0u);
    w.firstSectionTabs->setTab(1);
    EXPECT_EQ(store->values[kFirst1], hintOf(Strip::First, 1));
}

// A section that holds text (stored, typed, or its hint given earlier) is
// shown from the plan: switching to it reads nothing and writes nothing,
// and the store is not asked again when it refuses.
TEST_F(SectionLoad, ASwitchToASectionThatHoldsTextWritesNothing)
{
    store->values[QStringLiteral("FirstStatementMkt_0")] = QStringLiteral("stored");
    const EditorControls& w = shownControls();
    w.firstSectionTabs->setTab(2);
    w.firstStatementBox->setText(QStringLiteral("typed"));
    for (const bool refusing : {false, true}) {
        store->refuseWrites = refusing;
        store->writes.clear();
        const int reads = store->reads;
        for (const auto& [tab, shown] : {std::pair{0, "stored"}, {2, "typed"}, {4, ""}, {0, "stored"}}) {
            w.firstSectionTabs->setTab(tab);
            EXPECT_EQ(w.firstStatementBox->text(), *shown ? QString::fromUtf8(shown) : hintOf(Strip::First, 4)) << tab;
        }
        EXPECT_TRUE(store->writes.empty()) << refusing;
        EXPECT_EQ(store->reads, reads);
    }
}

// The statement pages and the tab order belong to the window.
class SectionLoadInWindow : public WindowFixture {};

TEST_F(SectionLoadInWindow, AHiddenBoxIsLeftWithoutTheFocusAndNoErrorResults)
{
    MainWindow& w = shownWindow();
    w.firstStatementPage->hide();
    w.productNameField->setFocus();
    w.firstSectionTabs->setTab(2);
    EXPECT_EQ(w.firstStatementBox->text(), hintOf(Strip::First, 2));
    EXPECT_EQ(QApplication::focusWidget(), w.productNameField);
    w.firstStatementPage->show();
    w.firstStatementBox->setEnabled(false);
    w.firstSectionTabs->setTab(3);
    EXPECT_EQ(QApplication::focusWidget(), w.productNameField);
    EXPECT_TRUE(fake.messages.shown.empty());
}

class Typing : public EditorFixture {};
class TypingInWindow : public WindowFixture {};

TEST_F(Typing, OneCharacterOnTabFiveWritesTheWholeBoxAtOnce)
{
    const EditorControls& w = shownControls();
    w.firstSectionTabs->setTab(5);
    w.firstStatementBox->moveCursor(QTextCursor::End);
    store->writes.clear();
    QTest::keyClicks(w.firstStatementBox, QStringLiteral("!"));
    ASSERT_EQ(store->writes.size(), 1u);
    EXPECT_EQ(store->writes[0].first, QStringLiteral("FirstStatementMkt_5"));
    EXPECT_EQ(store->writes[0].second, hintOf(Strip::First, 5) + QStringLiteral("!"));
}

TEST_F(Typing, EnterInAStatementBoxStoresCarriageReturnLineFeed)
{
    const EditorControls& w = shownControls();
    w.secondStatementBox->setFocus();
    w.secondStatementBox->selectAll();
    QTest::keyClicks(w.secondStatementBox, QStringLiteral("one"));
    QTest::keyClick(w.secondStatementBox, Qt::Key_Return);
    QTest::keyClicks(w.secondStatementBox, QStringLiteral("- two"));
    QTest::keyClick(w.secondStatementBox, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(w.secondStatementBox, QStringLiteral("three"));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_0")], QStringLiteral("one\r\n- two\r\nthree"));
    EXPECT_EQ(w.secondStatementBox->text(), QStringLiteral("one\r\n- two\r\nthree"));
}

TEST_F(TypingInWindow, TabMovesTheFocusOnInsteadOfTypingATab)
{
    MainWindow& w = shownWindow();
    w.firstStatementBox->setFocus();
    const QString before = w.firstStatementBox->text();
    QTest::keyClick(w.firstStatementBox, Qt::Key_Tab);
    EXPECT_EQ(w.firstStatementBox->text(), before);
    EXPECT_EQ(QApplication::focusWidget(), w.secondStatementBox);
}

TEST_F(Typing, TheSingleLineFieldsWriteUnderTheirKeys)
{
    const EditorControls& w = shownControls();
    QTest::keyClicks(w.productNameField, QStringLiteral("Nordlys"));
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("Nordlys"));
    w.planTitleField->setFocus();
    QTest::keyClicks(w.planTitleField, QStringLiteral("Plan "));
    w.planTitleField->insert(QStringLiteral("\u2019")); // as a paste or an input method would
    EXPECT_EQ(store->values[QStringLiteral("Marketing Plan")], QStringLiteral("Plan \u2019"));
    w.planTitleField->selectAll();
    QTest::keyClick(w.planTitleField, Qt::Key_Backspace);
    ASSERT_EQ(store->values.count(QStringLiteral("Marketing Plan")), 1u);
    EXPECT_EQ(store->values[QStringLiteral("Marketing Plan")], QString());
}

TEST_F(TypingInWindow, FocusSelectsTheWholeTextOfTheSingleLineFieldsOnly)
{
    store->values[QStringLiteral("Marketing Plan")] = QStringLiteral("Spring campaign");
    MainWindow& w = shownWindow();
    QTest::keyClick(w.productNameField, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.planTitleField);
    EXPECT_EQ(w.planTitleField->selectedText(), QStringLiteral("Spring campaign"));
    w.productNameField->setFocus();
    w.planTitleField->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w.planTitleField->selectionStart(), 0);
    EXPECT_EQ(w.planTitleField->selectedText(), QStringLiteral("Spring campaign"));

    QTest::keyClick(w.planTitleField, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.firstStatementBox);
    EXPECT_FALSE(w.firstStatementBox->textCursor().hasSelection());
    QTest::mouseClick(w.secondStatementBox->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(w.secondStatementBox->textCursor().hasSelection());
}

TEST_F(Typing, AssigningTheSameTextWritesNothing)
{
    const EditorControls& w = shownControls();
    store->writes.clear();
    w.productNameField->setText(w.productNameField->text());
    w.planTitleField->setText(w.planTitleField->text());
    w.firstStatementBox->setText(w.firstStatementBox->text());
    w.secondStatementBox->setText(w.secondStatementBox->text());
    EXPECT_TRUE(store->writes.empty());
}
