#include "core/RuntimeError.h"
#include "tests/support/WindowFixture.h"

#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

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

// What the window shows while a run is under way, fed by the run's progress.
class RunDisplay : public WindowFixture {
protected:
    struct Seen {
        bool running;
        int done, total;
        Qt::CursorShape pointer;
        QString caption;
        QRect geometry;
    };
    Seen seen(MainWindow& w) const
    {
        return {w.showsGenerationRun(), w.generateButton->progressDone(), w.generateButton->progressTotal(),
                w.cursor().shape(), w.generateButton->text(), w.generateButton->geometry()};
    }
};

TEST_F(RunDisplay, TheButtonFillsAsSlidesAreDoneUnderABusyPointerAndLooksAsBeforeAfterwards)
{
    MainWindow& w = shownWindow();
    QTest::mouseMove(w.generateButton, QPoint(20, 10));
    w.generateButton->setFocus(Qt::MouseFocusReason); // as the click leaves it
    QApplication::processEvents();
    const QImage before = w.generateButton->grab().toImage();
    const QRect geometry = w.generateButton->geometry();
    std::vector<Seen> during;
    onGenerate = [&] {
        during.push_back(seen(w));
        for (int done = 1; done <= 18; ++done) {
            runProgress(done, 18);
            during.push_back(seen(w));
        }
        // The pointer moving over the button or a frame meanwhile keeps the busy pointer.
        QTest::mouseMove(w.productNameFrame, QPoint(3, 50));
        QTest::mouseMove(w.generateButton, QPoint(20, 10));
        during.push_back(seen(w));
    };
    QTest::mouseClick(w.generateButton, Qt::LeftButton);

    ASSERT_EQ(during.size(), 20u);
    for (std::size_t i = 0; i < during.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(during[i].running);
        EXPECT_EQ(during[i].done, std::min<int>(int(i), 18));
        EXPECT_EQ(during[i].total, 18);
        EXPECT_EQ(during[i].pointer, Qt::BusyCursor);
        EXPECT_EQ(during[i].caption, QStringLiteral("Start Creating Template"));
        EXPECT_EQ(during[i].geometry, geometry);
    }
    EXPECT_FALSE(w.showsGenerationRun());
    EXPECT_FALSE(w.generateButton->showsProgress());
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor); // the custom pointer, as the mouse is over the button
    EXPECT_EQ(w.mousePointer(), MainWindow::kCustomPointer);
    EXPECT_EQ(w.generateButton->grab().toImage(), before);
}

TEST_F(RunDisplay, ASecondPressDuringARunLeavesTheDisplayAsItIs)
{
    MainWindow& w = shownWindow();
    std::vector<Seen> afterSecondPress;
    onGenerate = [&] {
        runProgress(5, 18);
        QTest::mouseClick(w.generateButton, Qt::LeftButton);
        afterSecondPress.push_back(seen(w));
    };
    QTest::mouseClick(w.generateButton, Qt::LeftButton);
    EXPECT_EQ(generations, 1);
    ASSERT_EQ(afterSecondPress.size(), 1u);
    EXPECT_TRUE(afterSecondPress[0].running);
    EXPECT_EQ(afterSecondPress[0].done, 5);
    EXPECT_EQ(afterSecondPress[0].pointer, Qt::BusyCursor);
    EXPECT_FALSE(w.showsGenerationRun());
}

TEST_F(RunDisplay, AFailedOrDeclinedRunEndsTheDisplayToo)
{
    MainWindow& w = shownWindow();
    onGenerate = [&] {
        runProgress(3, 18);
        throw RuntimeError(QStringLiteral("Method failed"));
    };
    QTest::mouseClick(w.generateButton, Qt::LeftButton);
    EXPECT_EQ(reportLines(), QStringList{QStringLiteral("106")});
    EXPECT_FALSE(w.showsGenerationRun());
    EXPECT_FALSE(w.generateButton->showsProgress());
    EXPECT_NE(w.cursor().shape(), Qt::BusyCursor);

    warnResult = [] { return true; };
    QTest::mouseClick(w.generateButton, Qt::LeftButton);
    EXPECT_EQ(generations, 1);
    EXPECT_FALSE(w.showsGenerationRun());
    EXPECT_NE(w.cursor().shape(), Qt::BusyCursor);
}
