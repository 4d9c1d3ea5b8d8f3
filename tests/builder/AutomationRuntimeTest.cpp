#include "automation/AutomationRuntime.h"
#include "tests/builder/RecordingAutomation.h"

#include <gtest/gtest.h>

using namespace quillora;
using namespace quillora::automation;
using quillora::testing::RecordingWorld;

namespace {

QString failureOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return QStringLiteral("(no failure)");
}

const QString kClass = QLatin1String(kPowerPointClass);

} // namespace

TEST(Ref, AnEmptyOrReleasedReferenceFailsWhenUsed)
{
    auto world = std::make_shared<RecordingWorld>();
    Ref<Application> empty;
    EXPECT_EQ(failureOf([&] { empty->setVisible(true); }), QStringLiteral("Object variable not set"));
    empty.release(); // releasing nothing is fine

    Ref<Application> app(std::make_shared<quillora::testing::recording::RApplication>(world, QStringLiteral("x")));
    app->setVisible(true);
    app.release();
    EXPECT_TRUE(app.isNothing());
    EXPECT_EQ(failureOf([&] { app->setVisible(true); }), QStringLiteral("Object variable not set"));
    EXPECT_EQ(world->log, (QStringList{"Application.Visible=true", "released Application"}));
}

TEST(AutomationRuntime, UnknownClassesCannotBeCreatedOrFound)
{
    AutomationRuntime runtime;
    EXPECT_EQ(failureOf([&] { runtime.CreateObject(kClass); }), QStringLiteral("ActiveX component can't create object"));
    EXPECT_EQ(failureOf([&] { runtime.GetObject(kClass); }), QStringLiteral("ActiveX component can't create object"));
}

TEST(AutomationRuntime, AServerThatFailsToStartIsReportedAsCannotCreate)
{
    AutomationRuntime runtime;
    runtime.registerClass(kClass, [] { return std::shared_ptr<Application>(); });
    EXPECT_EQ(failureOf([&] { runtime.CreateObject(kClass); }), QStringLiteral("ActiveX component can't create object"));
    runtime.registerClass(kClass, []() -> std::shared_ptr<Application> { throw RuntimeError(QStringLiteral("No engine")); });
    EXPECT_EQ(failureOf([&] { runtime.CreateObject(kClass); }), QStringLiteral("No engine"));
    EXPECT_EQ(failureOf([&] { runtime.GetObject(kClass); }), QStringLiteral("ActiveX component can't create object"));
}

TEST(AutomationRuntime, OneInstanceRunsWhileAnyReferenceLives)
{
    auto world = std::make_shared<RecordingWorld>();
    AutomationRuntime runtime;
    quillora::testing::registerRecordingApplication(runtime, world);

    EXPECT_EQ(failureOf([&] { runtime.GetObject(kClass); }), QStringLiteral("ActiveX component can't create object"));
    Ref<Application> created = runtime.CreateObject(kClass);
    Ref<Application> attached = runtime.GetObject(kClass);
    Ref<Application> again = runtime.CreateObject(kClass);
    EXPECT_EQ(created.shared(), attached.shared());
    EXPECT_EQ(created.shared(), again.shared());
    EXPECT_EQ(world->entries(QStringLiteral("started")).size(), 1);

    created.release();
    again.release();
    EXPECT_FALSE(runtime.GetObject(kClass).isNothing()); // still held by `attached`
    attached.release();
    EXPECT_EQ(world->entries(QStringLiteral("released Application")).size(), 1);
    EXPECT_EQ(failureOf([&] { runtime.GetObject(kClass); }), QStringLiteral("ActiveX component can't create object"));

    Ref<Application> fresh = runtime.CreateObject(kClass);
    EXPECT_EQ(world->entries(QStringLiteral("started")).size(), 2);
}
