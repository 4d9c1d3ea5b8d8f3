#include "core/HeldFailure.h"
#include "core/RuntimeError.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillora;

namespace {

QStringList eight()
{
    QStringList captions;
    for (int i = 0; i < 8; ++i)
        captions << QStringLiteral("Tab %1").arg(i);
    return captions;
}

struct Strip5 {
    Strip5()
    {
        strip.setCaptions(eight());
        strip.setTabsPerRow(5);
        strip.setTabHeight(20);
        strip.resize(500, 200);
    }
    TabStrip strip;
};

} // namespace

TEST(TabStripLayout, TabsWrapIntoRowsAndTheSelectedRowSitsNextToThePage)
{
    Strip5 s;
    EXPECT_EQ(s.strip.rowCount(), 2);
    EXPECT_EQ(s.strip.pageRect(), QRect(0, 40, 500, 160));
    // Tab 0 selected: its row (tabs 0..4) is next to the page, tabs 5..7 above.
    EXPECT_EQ(s.strip.tabRect(0), QRect(0, 20, 100, 20));
    EXPECT_EQ(s.strip.tabRect(4), QRect(400, 20, 100, 20));
    EXPECT_EQ(s.strip.tabRect(5), QRect(0, 0, 100, 20));
    EXPECT_EQ(s.strip.tabRect(7), QRect(200, 0, 100, 20));
    EXPECT_EQ(s.strip.tabAt(QPoint(450, 10)), -1);

    s.strip.setTab(6);
    EXPECT_EQ(s.strip.tabRect(6), QRect(100, 20, 100, 20));
    EXPECT_EQ(s.strip.tabRect(0), QRect(0, 0, 100, 20));
    EXPECT_EQ(s.strip.tabAt(QPoint(150, 30)), 6);
}

TEST(TabStripSelection, MouseAndKeysChooseTabsAndClickCarriesThePreviousTab)
{
    Strip5 s;
    QSignalSpy clicks(&s.strip, &TabStrip::tabClicked);
    QTest::mouseClick(&s.strip, Qt::LeftButton, {}, s.strip.tabRect(6).center());
    EXPECT_EQ(s.strip.tab(), 6);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 0);

    QTest::keyClick(&s.strip, Qt::Key_Right);
    EXPECT_EQ(s.strip.tab(), 7);
    QTest::keyClick(&s.strip, Qt::Key_Right); // wraps round
    EXPECT_EQ(s.strip.tab(), 0);
    QTest::keyClick(&s.strip, Qt::Key_Left);
    EXPECT_EQ(s.strip.tab(), 7);
    ASSERT_EQ(clicks.size(), 4);
    EXPECT_EQ(clicks[3][0].toInt(), 0);

    // The current tab again, an index out of range, a click beside the tabs: no Click.
    s.strip.setTab(7);
    s.strip.setTab(8);
    s.strip.setTab(-1);
    QTest::mouseClick(&s.strip, Qt::LeftButton, {}, QPoint(450, 30)); // beside tab 7's row
    EXPECT_EQ(clicks.size(), 4);
    EXPECT_EQ(s.strip.property("Tab").toInt(), 7);
}

TEST(TabStripSelection, AFailingClickHandlerDuringAUserChoiceIsHeldForTheEventLoop)
{
    takeHeldFailure(); // nothing left over from another test
    Strip5 s;
    QObject::connect(&s.strip, &TabStrip::tabClicked, [] { throw RuntimeError(QStringLiteral("Permission denied")); });
    QTest::keyClick(&s.strip, Qt::Key_Right);
    EXPECT_EQ(s.strip.tab(), 1);
    std::exception_ptr held = takeHeldFailure();
    ASSERT_TRUE(held);
    EXPECT_THROW(std::rethrow_exception(held), RuntimeError);
    // A choice made by the program itself passes the failure to its caller.
    EXPECT_THROW(s.strip.setTab(2), RuntimeError);
    EXPECT_FALSE(takeHeldFailure());
}

TEST(StatementBoxText, LinesAreJoinedWithCarriageReturnLineFeed)
{
    StatementBox box;
    box.setText(QStringLiteral("one\r\n- two\r\n\r\nfour"));
    EXPECT_EQ(box.text(), QStringLiteral("one\r\n- two\r\n\r\nfour"));
    EXPECT_EQ(box.document()->blockCount(), 4);
    box.setText(QStringLiteral("\r\n"));
    EXPECT_EQ(box.text(), QStringLiteral("\r\n"));
    // Characters the plain-text view would change come back as they went in.
    const QString special = QStringLiteral("a\u00a0b\tc \u2019 \U0001F600");
    box.setText(special);
    EXPECT_EQ(box.text(), special);
    // Lone line feeds and carriage returns become ordinary line breaks.
    box.setText(QStringLiteral("a\nb\rc"));
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nb\r\nc"));
}

TEST(StatementBoxText, EveryChangeRaisesChangeOnceAndAssignedTextNeverDoublesIt)
{
    StatementBox box;
    QSignalSpy changes(&box, &StatementBox::Change);
    box.setText(QStringLiteral("x"));
    EXPECT_EQ(changes.size(), 1);
    box.setText(QStringLiteral("x"));
    EXPECT_EQ(changes.size(), 2);
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, QStringLiteral("yz"));
    EXPECT_EQ(changes.size(), 4);
    EXPECT_EQ(box.text(), QStringLiteral("xyz"));
}

TEST(StatementBoxText, AFailingChangeHandlerWhileTypingIsHeldAndTheTextStays)
{
    takeHeldFailure(); // nothing left over from another test
    StatementBox box;
    box.setText(QStringLiteral("kept"));
    QObject::connect(&box, &StatementBox::Change, [] { throw RuntimeError(QStringLiteral("Permission denied")); });
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, QStringLiteral("!"));
    EXPECT_EQ(box.text(), QStringLiteral("kept!"));
    EXPECT_TRUE(takeHeldFailure());
    // Assigned by the program: the caller gets the failure.
    EXPECT_THROW(box.setText(QStringLiteral("new")), RuntimeError);
    EXPECT_EQ(box.text(), QStringLiteral("new"));
}

TEST(LineBoxText, SameTextAssignedStillRaisesOneChangeAndLongTextIsKept)
{
    LineBox box;
    QSignalSpy changes(&box, &LineBox::Change);
    box.setText(QStringLiteral("a"));
    box.setText(QStringLiteral("a"));
    EXPECT_EQ(changes.size(), 2);
    const QString longName(40000, QLatin1Char('n'));
    box.setText(longName);
    EXPECT_EQ(box.text(), longName);
}
