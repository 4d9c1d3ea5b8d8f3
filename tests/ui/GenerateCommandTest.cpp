#include "core/RuntimeError.h"
#include "tests/support/WindowFixture.h"

#include <QPushButton>
#include <QTest>

using namespace quillora;
using quillora::testing::WindowFixture;

class GenerateCommandTest : public WindowFixture {};

TEST_F(GenerateCommandTest, APressRunsTheGeneratorWhileBusyIsSet)
{
    MainWindow& w = shownWindow();
    bool busyDuringRun = false;
    onGenerate = [&] { busyDuringRun = w.generateCommand().isBusy(); };
    QTest::mouseClick(w.generateButton, Qt::LeftButton);
    EXPECT_EQ(generations, 1);
    EXPECT_TRUE(busyDuringRun);
    EXPECT_FALSE(w.generateCommand().isBusy());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(GenerateCommandTest, AnsweringNoStopsBeforeTheGeneratorAndTheButtonWorksAgain)
{
    MainWindow& w = shownWindow();
    warnResult = [] { return true; };
    w.generateCommand().run();
    EXPECT_EQ(generations, 0);
    EXPECT_FALSE(w.generateCommand().isBusy());
    warnResult = [] { return false; };
    w.generateCommand().run();
    EXPECT_EQ(generations, 1);
}

TEST_F(GenerateCommandTest, APressDuringARunIsTurnedAway)
{
    MainWindow& w = shownWindow();
    int warnings = 0;
    warnResult = [&] { ++warnings; return false; };
    // The generator lets window events through in its pauses: a second press arrives there.
    onGenerate = [&] { QTest::mouseClick(w.generateButton, Qt::LeftButton); };
    QTest::mouseClick(w.generateButton, Qt::LeftButton);
    EXPECT_EQ(generations, 1);
    EXPECT_EQ(warnings, 1);
    EXPECT_FALSE(w.generateCommand().isBusy());
    onGenerate = nullptr;
    QTest::mouseClick(w.generateButton, Qt::LeftButton);
    EXPECT_EQ(generations, 2);
}

TEST_F(GenerateCommandTest, AFailingWarningIsReportedAndTheGeneratorRunsAnyway)
{
    MainWindow& w = shownWindow();
    warnResult = []() -> bool { throw RuntimeError(QStringLiteral("Automation error")); };
    w.generateCommand().run();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              errorReportMessage(QStringLiteral("Automation error"),
                                 QStringLiteral("in Brindlecoe2021/08/31.Form1.PushButton1_Click "), 104));
    EXPECT_EQ(generations, 1);
    EXPECT_FALSE(w.generateCommand().isBusy());
}

TEST_F(GenerateCommandTest, AFailureEscapingTheGeneratorIsReportedAndBusyIsCleared)
{
    MainWindow& w = shownWindow();
    onGenerate = [] { throw RuntimeError(QStringLiteral("Method failed")); };
    w.generateCommand().run();
    EXPECT_EQ(reportLines(), QStringList{QStringLiteral("106")});
    EXPECT_FALSE(w.generateCommand().isBusy());
    onGenerate = nullptr;
    w.generateCommand().run();
    EXPECT_EQ(generations, 2);
}
