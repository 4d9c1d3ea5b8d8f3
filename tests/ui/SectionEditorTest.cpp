#include "plan/SectionCatalogue.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/PictureBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/WindowFixture.h"

#include <QTest>

using namespace quillora;
using quillora::testing::WindowFixture;

namespace {

QString hintOf(Strip strip, int tab)
{
    return findSection(strip, tab)->hint();
}

const QString kFirst1 = QStringLiteral("FirstStatementMkt_1");

} // namespace

class SectionLoad : public WindowFixture {};

TEST_F(SectionLoad, ChoosingProductDefinitionShowsAndStoresItsOneLineHint)
{
    MainWindow& w = shownWindow();
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
    MainWindow& w = shownWindow();
    QTest::mouseClick(w.secondSectionTabs, Qt::LeftButton, {}, w.secondSectionTabs->tabRect(7).center());
    EXPECT_EQ(w.secondSectionTabs->tab(), 7);
    EXPECT_EQ(w.secondStatementBox->text(), hintOf(Strip::Second, 7));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_7")], hintOf(Strip::Second, 7));
}

TEST_F(SectionLoad, EmptyingAStatementThenLeavingAndComingBackBringsTheHintBack)
{
    MainWindow& w = shownWindow();
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
    MainWindow& w = shownWindow();
    w.firstSectionTabs->setTab(0);
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("   "));
    w.firstSectionTabs->setTab(3);
    EXPECT_EQ(w.firstStatementBox->text(), QStringLiteral("\r\n"));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_3")], QStringLiteral("\r\n"));
}

TEST_F(SectionLoad, TheTwoStripsAreIndependent)
{
    MainWindow& w = shownWindow();
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
    MainWindow& w = shownWindow();
    w.firstSectionTabs->setTab(0);
    w.firstStatementBox->setText(hintOf(Strip::First, 1));
    ASSERT_EQ(store->values.count(kFirst1), 0u);
    w.firstSectionTabs->setTab(1);
    EXPECT_EQ(store->values[kFirst1], hintOf(Strip::First, 1));
}

TEST_F(SectionLoad, AHiddenBoxIsLeftWithoutTheFocusAndNoErrorResults)
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

class Typing : public WindowFixture {};

TEST_F(Typing, OneCharacterOnTabFiveWritesTheWholeBoxAtOnce)
{
    MainWindow& w = shownWindow();
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
    MainWindow& w = shownWindow();
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

TEST_F(Typing, TabMovesTheFocusOnInsteadOfTypingATab)
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
    MainWindow& w = shownWindow();
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

TEST_F(Typing, FocusSelectsTheWholeTextOfTheSingleLineFieldsOnly)
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

TEST_F(Typing, AssigningTheSameTextRaisesOneChangeForEveryField)
{
    MainWindow& w = shownWindow();
    store->writes.clear();
    w.productNameField->setText(w.productNameField->text());
    w.planTitleField->setText(w.planTitleField->text());
    w.firstStatementBox->setText(w.firstStatementBox->text());
    w.secondStatementBox->setText(w.secondStatementBox->text());
    EXPECT_EQ(store->writes.size(), 4u);
}
