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
    Form1& w = shownWindow();
    store->writes.clear();
    w.SSTab1->setTab(1);
    EXPECT_EQ(w.txtFirstStatement->text(), QStringLiteral("Describe product/service being marketed."));
    ASSERT_EQ(store->writes.size(), 1u);
    EXPECT_EQ(store->writes[0], std::make_pair(kFirst1, QStringLiteral("Describe product/service being marketed.")));
    // The load moves the focus to the box, without selecting anything.
    EXPECT_EQ(QApplication::focusWidget(), w.txtFirstStatement);
    EXPECT_FALSE(w.txtFirstStatement->textCursor().hasSelection());
}

TEST_F(SectionLoad, ClickingATabWithTheMouseLoadsIt)
{
    Form1& w = shownWindow();
    QTest::mouseClick(w.SSTab3, Qt::LeftButton, {}, w.SSTab3->tabRect(7).center());
    EXPECT_EQ(w.SSTab3->tab(), 7);
    EXPECT_EQ(w.txtSecondStatement->text(), hintOf(Strip::Second, 7));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_7")], hintOf(Strip::Second, 7));
}

TEST_F(SectionLoad, EmptyingAStatementThenLeavingAndComingBackBringsTheHintBack)
{
    Form1& w = shownWindow();
    w.SSTab1->setTab(1);
    w.txtFirstStatement->selectAll();
    QTest::keyClick(w.txtFirstStatement, Qt::Key_Delete);
    EXPECT_EQ(store->values[kFirst1], QString());
    w.SSTab1->setTab(2);
    w.SSTab1->setTab(1);
    EXPECT_EQ(w.txtFirstStatement->text(), hintOf(Strip::First, 1));
    EXPECT_EQ(store->values[kFirst1], hintOf(Strip::First, 1));
}

TEST_F(SectionLoad, AStatementOfOnlySpacesOrOnlyALineBreakIsShownAsStored)
{
    store->values[QStringLiteral("FirstStatementMkt_0")] = QStringLiteral("   ");
    store->values[QStringLiteral("FirstStatementMkt_3")] = QStringLiteral("\r\n");
    Form1& w = shownWindow();
    w.SSTab1->setTab(0);
    EXPECT_EQ(w.txtFirstStatement->text(), QStringLiteral("   "));
    w.SSTab1->setTab(3);
    EXPECT_EQ(w.txtFirstStatement->text(), QStringLiteral("\r\n"));
    EXPECT_EQ(store->values[QStringLiteral("FirstStatementMkt_3")], QStringLiteral("\r\n"));
}

TEST_F(SectionLoad, TheTwoStripsAreIndependent)
{
    Form1& w = shownWindow();
    w.txtFirstStatement->setText(QStringLiteral("upper text"));
    const auto before = store->values;
    store->writes.clear();
    w.SSTab3->setTab(3);
    EXPECT_EQ(w.txtFirstStatement->text(), QStringLiteral("upper text"));
    EXPECT_EQ(w.SSTab1->tab(), 4);
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
    Form1& w = shownWindow();
    w.SSTab1->setTab(0);
    w.txtFirstStatement->setText(hintOf(Strip::First, 1));
    ASSERT_EQ(store->values.count(kFirst1), 0u);
    w.SSTab1->setTab(1);
    EXPECT_EQ(store->values[kFirst1], hintOf(Strip::First, 1));
}

TEST_F(SectionLoad, AHiddenBoxIsLeftWithoutTheFocusAndNoErrorResults)
{
    Form1& w = shownWindow();
    w.Picture1->hide();
    w.txtProductName->setFocus();
    w.SSTab1->setTab(2);
    EXPECT_EQ(w.txtFirstStatement->text(), hintOf(Strip::First, 2));
    EXPECT_EQ(QApplication::focusWidget(), w.txtProductName);
    w.Picture1->show();
    w.txtFirstStatement->setEnabled(false);
    w.SSTab1->setTab(3);
    EXPECT_EQ(QApplication::focusWidget(), w.txtProductName);
    EXPECT_TRUE(fake.messages.shown.empty());
}

class Typing : public WindowFixture {};

TEST_F(Typing, OneCharacterOnTabFiveWritesTheWholeBoxAtOnce)
{
    Form1& w = shownWindow();
    w.SSTab1->setTab(5);
    w.txtFirstStatement->moveCursor(QTextCursor::End);
    store->writes.clear();
    QTest::keyClicks(w.txtFirstStatement, QStringLiteral("!"));
    ASSERT_EQ(store->writes.size(), 1u);
    EXPECT_EQ(store->writes[0].first, QStringLiteral("FirstStatementMkt_5"));
    EXPECT_EQ(store->writes[0].second, hintOf(Strip::First, 5) + QStringLiteral("!"));
}

TEST_F(Typing, EnterInAStatementBoxStoresCarriageReturnLineFeed)
{
    Form1& w = shownWindow();
    w.txtSecondStatement->setFocus();
    w.txtSecondStatement->selectAll();
    QTest::keyClicks(w.txtSecondStatement, QStringLiteral("one"));
    QTest::keyClick(w.txtSecondStatement, Qt::Key_Return);
    QTest::keyClicks(w.txtSecondStatement, QStringLiteral("- two"));
    QTest::keyClick(w.txtSecondStatement, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(w.txtSecondStatement, QStringLiteral("three"));
    EXPECT_EQ(store->values[QStringLiteral("SecondStatementMkt_0")], QStringLiteral("one\r\n- two\r\nthree"));
    EXPECT_EQ(w.txtSecondStatement->text(), QStringLiteral("one\r\n- two\r\nthree"));
}

TEST_F(Typing, TabMovesTheFocusOnInsteadOfTypingATab)
{
    Form1& w = shownWindow();
    w.txtFirstStatement->setFocus();
    const QString before = w.txtFirstStatement->text();
    QTest::keyClick(w.txtFirstStatement, Qt::Key_Tab);
    EXPECT_EQ(w.txtFirstStatement->text(), before);
    EXPECT_EQ(QApplication::focusWidget(), w.txtSecondStatement);
}

TEST_F(Typing, TheSingleLineFieldsWriteUnderTheirKeys)
{
    Form1& w = shownWindow();
    QTest::keyClicks(w.txtProductName, QStringLiteral("Nordlys"));
    EXPECT_EQ(store->values[QStringLiteral("Company Name")], QStringLiteral("Nordlys"));
    w.txtMktPlan->setFocus();
    QTest::keyClicks(w.txtMktPlan, QStringLiteral("Plan "));
    w.txtMktPlan->insert(QStringLiteral("\u2019")); // as a paste or an input method would
    EXPECT_EQ(store->values[QStringLiteral("Marketing Plan")], QStringLiteral("Plan \u2019"));
    w.txtMktPlan->selectAll();
    QTest::keyClick(w.txtMktPlan, Qt::Key_Backspace);
    ASSERT_EQ(store->values.count(QStringLiteral("Marketing Plan")), 1u);
    EXPECT_EQ(store->values[QStringLiteral("Marketing Plan")], QString());
}

TEST_F(Typing, FocusSelectsTheWholeTextOfTheSingleLineFieldsOnly)
{
    store->values[QStringLiteral("Marketing Plan")] = QStringLiteral("Spring campaign");
    Form1& w = shownWindow();
    QTest::keyClick(w.txtProductName, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.txtMktPlan);
    EXPECT_EQ(w.txtMktPlan->selectedText(), QStringLiteral("Spring campaign"));
    w.txtProductName->setFocus();
    w.txtMktPlan->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w.txtMktPlan->selectionStart(), 0);
    EXPECT_EQ(w.txtMktPlan->selectedText(), QStringLiteral("Spring campaign"));

    QTest::keyClick(w.txtMktPlan, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.txtFirstStatement);
    EXPECT_FALSE(w.txtFirstStatement->textCursor().hasSelection());
    QTest::mouseClick(w.txtSecondStatement->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(w.txtSecondStatement->textCursor().hasSelection());
}

TEST_F(Typing, AssigningTheSameTextRaisesOneChangeForEveryField)
{
    Form1& w = shownWindow();
    store->writes.clear();
    w.txtProductName->setText(w.txtProductName->text());
    w.txtMktPlan->setText(w.txtMktPlan->text());
    w.txtFirstStatement->setText(w.txtFirstStatement->text());
    w.txtSecondStatement->setText(w.txtSecondStatement->text());
    EXPECT_EQ(store->writes.size(), 4u);
}
