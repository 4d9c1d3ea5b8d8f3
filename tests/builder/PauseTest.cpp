#include "builder/MarketingPlanGenerator.h"
#include "tests/builder/BuilderTestSupport.h"

#include <gtest/gtest.h>

using namespace quillora;
using quillora::testing::FakePlatform;
using quillora::testing::WindowRun;

namespace {

struct PauseFixture : ::testing::Test {
    FakePlatform fake;
    automation::AutomationRuntime runtime;
    WindowRun context{fake, runtime};
};

} // namespace

TEST_F(PauseFixture, RunsPendingEventsOnceThenWaitsWithoutRunningThemAgain)
{
    std::vector<qint64> eventTimes;
    fake.events.onProcess = [&] { eventTimes.push_back(fake.clock.monotonic); };
    fake.clock.monotonic = 1000;

    pause(context, 0.5f);

    EXPECT_EQ(eventTimes, (std::vector<qint64>{1000})); // once, at the start
    EXPECT_EQ(fake.clock.monotonic, 1500);
    // It sleeps the remaining time instead of polling the clock in a busy loop.
    EXPECT_EQ(fake.clock.sleeps, (std::vector<qint64>{500}));
}

TEST_F(PauseFixture, TimeSpentInEventsCountsTowardsTheWait)
{
    fake.events.onProcess = [&] { fake.clock.monotonic += 200; };
    pause(context, 0.5f);
    EXPECT_EQ(fake.clock.monotonic, 500);
    EXPECT_EQ(fake.clock.sleeps, (std::vector<qint64>{300}));
}

TEST_F(PauseFixture, APauseAcrossMidnightEndsAfterItsTime)
{
    fake.clock.timeOfDay = 86399.8; // 0.2 s before midnight
    pause(context, 0.5f);
    EXPECT_EQ(fake.clock.monotonic, 500);
    EXPECT_EQ(fake.events.count, 1);
}

TEST_F(PauseFixture, WithoutAClockPausesNeitherWaitNorRunEvents)
{
    CollectedFailures failures;
    pause(BuilderContext{runtime, failures}, 0.5f);
    EXPECT_EQ(fake.events.count, 0);
    EXPECT_EQ(fake.clock.monotonic, 0);
}
