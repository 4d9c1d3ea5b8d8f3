#include "core/ErrorReport.h"
#include "core/RuntimeError.h"
#include "tests/support/FakePlatform.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace quillora;
using quillora::testing::RecordingMessageBoxes;

namespace {
const QString kLoad = QLatin1String(kStartUpLocation.text);
}

TEST(ErrorReportMessage, IsBuiltByteForByte)
{
    const QString msg = errorReportMessage(QStringLiteral("File not found"),
                                           QLatin1String(kGenerateCommandLocation.text), 106);
    EXPECT_EQ(msg, QStringLiteral("File not found\r\nin Brindlecoe2021/08/31.Form1.PushButton1_Click at line 106"
                                  "\r\rPlease email screenshot of this message to support@tarnvale.example"));
}

TEST(ErrorReportMessage, EmptyDescriptionStartsWithTheLineBreak)
{
    const QString msg = errorReportMessage(QString(), kLoad, 100);
    EXPECT_TRUE(msg.startsWith(QStringLiteral("\r\nin Brindlecoe2021/08/31.Form1.Form_Load at line 100\r\r")));
}

TEST(ErrorReport, ShowsAWarningWithOkOnlyUnderItsOwnTitle)
{
    RecordingMessageBoxes boxes;
    ErrorReport report(boxes);
    report.show(QStringLiteral("Object variable not set"), kLoad, 132);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(boxes.shown[0].text, errorReportMessage(QStringLiteral("Object variable not set"), kLoad, 132));
}

TEST(GuardedProcedure, ReportsAFailingStepAndGoesOn)
{
    RecordingMessageBoxes boxes;
    ErrorReport report(boxes);
    GuardedProcedure proc(report, kStartUpLocation);
    std::vector<int> ran;
    proc.step(100, [&] { ran.push_back(100); throw RuntimeError(QStringLiteral("Path not found")); });
    proc.step(104, [&] { ran.push_back(104); });
    proc.step(106, [&] { ran.push_back(106); throw std::runtime_error("bad thing"); });
    proc.step(108, [&] { ran.push_back(108); });
    EXPECT_EQ(ran, (std::vector<int>{100, 104, 106, 108}));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Path not found\r\n")));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("at line 100\r\r")));
    EXPECT_TRUE(boxes.shown[1].text.startsWith(QStringLiteral("bad thing\r\n")));
    EXPECT_TRUE(boxes.shown[1].text.contains(QStringLiteral("at line 106\r\r")));
}

TEST(GuardedProcedure, AFailingConditionIsReportedAndTheBodyRuns)
{
    RecordingMessageBoxes boxes;
    ErrorReport report(boxes);
    GuardedProcedure proc(report, kStartUpLocation);
    bool bodyRan = false;
    if (proc.test(106, []() -> bool { throw RuntimeError(QStringLiteral("Device unavailable")); }))
        bodyRan = true;
    EXPECT_TRUE(bodyRan);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("at line 106")));

    EXPECT_FALSE(proc.test(106, [] { return false; }));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST(GuardedProcedure, AFailureDeepInAnUnguardedCalleeIsReportedUnderTheCallingStep)
{
    RecordingMessageBoxes boxes;
    ErrorReport report(boxes);
    GuardedProcedure proc(report, kStartUpLocation);
    auto inner = [] { throw RuntimeError(QStringLiteral("Invalid procedure call or argument")); };
    auto callee = [&] { inner(); };
    proc.step(104, callee);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              errorReportMessage(QStringLiteral("Invalid procedure call or argument"), kLoad, 104));
}

TEST(GuardedProcedure, ACollectingSinkKeepsEachFailureWithItsProcedureAndLine)
{
    CollectedFailures sink;
    GuardedProcedure proc(sink, kGenerateMarketPlanLocation);
    proc.step(104, [] { throw RuntimeError(QStringLiteral("File not found")); });
    proc.step(106, [] {});
    if (proc.test(110, []() -> bool { throw std::runtime_error("no store"); }))
        proc.step(112, [] { throw RuntimeError(QString()); });
    ASSERT_EQ(sink.failures.size(), 3u);
    EXPECT_EQ(sink.failures[0].procedure, QStringLiteral("GenerateMarketPlan"));
    EXPECT_EQ(sink.failures[0].line, 104);
    EXPECT_EQ(sink.failures[0].description, QStringLiteral("File not found"));
    EXPECT_EQ(sink.failures[1].line, 110);
    EXPECT_EQ(sink.failures[1].description, QStringLiteral("no store"));
    EXPECT_EQ(sink.failures[2].line, 112);
    EXPECT_TRUE(sink.failures[2].description.isEmpty());
}
