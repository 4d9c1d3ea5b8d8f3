// Which server answers "PowerPoint.Application", with the plugin and the
// office replaced by fakes: the forcing variable, the plugin's places, the
// checks without an office start, and the fallback to the engine.

#include "builder/DeckHandOff.h"
#include "builder/MarketingPlanGenerator.h"
#include "automation/OfficeServerChoice.h"
#include "builder/PresentationAppChecks.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "plan/PlanStore.h"
#include "tests/support/MemorySettings.h"

#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::office;
using namespace quillora::testing;

namespace {

struct FakeOfficeApplication final : OfficeApplication {
    QString defaultMember() override { return QStringLiteral("Microsoft PowerPoint"); }
    void setVisible(bool) override { calls << QStringLiteral("setVisible"); }
    Ref<Presentations> presentations() override
    {
        calls << QStringLiteral("presentations");
        return {};
    }
    Ref<DocumentWindow> activeWindow() override
    {
        calls << QStringLiteral("activeWindow");
        return {};
    }
    void connect(qint64 timeoutMs) override
    {
        timeouts.push_back(timeoutMs);
        while (answerWhen && !answerWhen())
            std::this_thread::yield();
        if (refuse)
            throw RuntimeError(QStringLiteral("no office answered"));
    }
    bool refuse = false;
    std::function<bool()> answerWhen; // the office answers once this holds
    QStringList calls;
    std::vector<qint64> timeouts;
};

struct FakeOfficeServer final : OfficeServer {
    bool installed() override { return isInstalled; }
    bool running() override { return isRunning; }
    std::shared_ptr<OfficeApplication> createApplication() override
    {
        last = std::make_shared<FakeOfficeApplication>();
        last->refuse = refuse;
        last->answerWhen = answerWhen;
        ++created;
        return last;
    }
    bool isInstalled = true, isRunning = false, refuse = false;
    std::function<bool()> answerWhen;
    int created = 0;
    std::shared_ptr<FakeOfficeApplication> last;
};

struct Choice : ::testing::Test {
    void SetUp() override { fake.environment.program = QStringLiteral("/opt/quillora/bin"); }

    ServerChoice choose()
    {
        return chooseOfficeServer(fake.environment, [this](const QString& path, QString* why) -> std::shared_ptr<OfficeServer> {
            asked << path;
            if (!pluginLoads) {
                *why = path + QStringLiteral(": not found");
                return nullptr;
            }
            return server;
        });
    }
    void force(const char* value) { fake.environment.vars[QLatin1String(kOfficeVariable)] = QLatin1String(value); }

    FakePlatform fake;
    EngineServer engine;
    std::shared_ptr<FakeOfficeServer> server = std::make_shared<FakeOfficeServer>();
    bool pluginLoads = true;
    QStringList asked;
};

} // namespace

TEST_F(Choice, ImpressAnswersWhenThePluginLoadsAndLibreOfficeIsInstalled)
{
    const ServerChoice choice = choose();
    EXPECT_EQ(choice.impress, server);
    EXPECT_FALSE(choice.forced);
    EXPECT_EQ(asked, QStringList{QStringLiteral("/opt/quillora/bin/libquillora_impress.so")});

    server->isInstalled = false;
    EXPECT_EQ(choose().impress, nullptr);
    EXPECT_TRUE(choose().refusal.isEmpty());
}

TEST_F(Choice, ThePluginIsLookedForBesideTheProgramThenInTheInstalledLibraryFolder)
{
    pluginLoads = false;
    const ServerChoice choice = choose();
    EXPECT_EQ(choice.impress, nullptr);
    EXPECT_TRUE(choice.refusal.isEmpty());
    EXPECT_EQ(asked, (QStringList{QStringLiteral("/opt/quillora/bin/libquillora_impress.so"),
                                  QStringLiteral("/opt/quillora/lib/quillora/libquillora_impress.so")}));
}

TEST_F(Choice, TheVariableForcesEitherServer)
{
    force("embedded");
    EXPECT_EQ(choose().impress, nullptr);
    EXPECT_TRUE(asked.isEmpty()); // not even loaded

    force("Impress");
    const ServerChoice forced = choose();
    EXPECT_EQ(forced.impress, server);
    EXPECT_TRUE(forced.forced);

    server->isInstalled = false;
    const ServerChoice notInstalled = choose();
    EXPECT_EQ(notInstalled.impress, nullptr);
    EXPECT_TRUE(notInstalled.refusal.startsWith(QStringLiteral("QUILLORA_OFFICE=impress asks for LibreOffice Impress")))
        << notInstalled.refusal.toStdString();
    EXPECT_TRUE(notInstalled.refusal.contains(QStringLiteral("not installed")));

    pluginLoads = false;
    const ServerChoice noPlugin = choose();
    EXPECT_TRUE(noPlugin.refusal.contains(QStringLiteral("/opt/quillora/lib/quillora/libquillora_impress.so: not found")))
        << noPlugin.refusal.toStdString();
}

TEST_F(Choice, AForcedImpressThatCannotBeHadLeavesTheClassUncreatable)
{
    force("impress");
    pluginLoads = false;
    AutomationRuntime runtime;
    const ServerChoice choice = choose();
    registerChosenServer(runtime, engine, choice);
    checkPresentationAppInstalled(fake.platform, runtime, presentationAppWords(choice));
    EXPECT_EQ(fake.exit.statuses, std::vector<int>{kNotInstalledExitStatus});
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("LibreOffice Impress is not installed on this computer.")))
        << fake.messages.shown[0].text.toStdString();
}

TEST_F(Choice, TheChecksStartNoOffice)
{
    AutomationRuntime runtime;
    const ServerChoice choice = choose();
    const PresentationAppWords words = presentationAppWords(choice);
    registerChosenServer(runtime, engine, choice);

    checkPresentationAppInstalled(fake.platform, runtime, words);
    EXPECT_TRUE(fake.exit.statuses.empty());
    ASSERT_EQ(server->created, 1);
    EXPECT_TRUE(server->last->timeouts.empty()); // created, never connected

    EXPECT_FALSE(isPresentationAppRunning(runtime));
    EXPECT_FALSE(warnIfPresentationAppOpen(fake.platform, runtime, words));
    EXPECT_TRUE(fake.messages.shown.empty());

    server->isRunning = true;
    EXPECT_TRUE(isPresentationAppRunning(runtime));
    fake.messages.answers = {MessageAnswer::No};
    EXPECT_TRUE(warnIfPresentationAppOpen(fake.platform, runtime, words));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, alreadyOpenWarning(words));
    EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("LibreOffice Impress may be open.")));
    EXPECT_EQ(fake.messages.shown[0].buttons, MessageButtons::YesNo);
    for (const auto& application : {server->last})
        EXPECT_TRUE(application->timeouts.empty());
}

TEST_F(Choice, TheFirstRealCallConnectsAndTheRestGoToImpress)
{
    AutomationRuntime runtime;
    registerChosenServer(runtime, engine, choose(), 1234);
    Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
    app->setVisible(true);
    EXPECT_TRUE(app->presentations().isNothing());
    EXPECT_EQ(server->last->timeouts, std::vector<qint64>{1234});
    EXPECT_EQ(server->last->calls, (QStringList{QStringLiteral("setVisible"), QStringLiteral("presentations")}));
}

TEST_F(Choice, TheWindowHandlesItsEventsWhileTheOfficeStarts)
{
    // The office answers only after the window has handled its events three
    // times: a connection made on the window's thread would never return.
    std::atomic<int> handled{0};
    fake.events.onProcess = [&] { ++handled; };
    server->answerWhen = [&] { return handled.load() >= 3; };
    AutomationRuntime runtime;
    registerChosenServer(runtime, engine, choose(), 1234, &fake.events);
    Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
    app->setVisible(true);
    EXPECT_GE(handled.load(), 3);
    EXPECT_EQ(server->last->calls, QStringList{QStringLiteral("setVisible")});

    // A failure on the way is the call's failure, as without a pump.
    force("impress");
    server->refuse = true;
    AutomationRuntime forcedRuntime;
    registerChosenServer(forcedRuntime, engine, choose(), 1234, &fake.events);
    EXPECT_THROW(forcedRuntime.CreateObject(QLatin1String(kPowerPointClass))->setVisible(true), RuntimeError);
}

TEST_F(Choice, AForcedImpressThatDoesNotAnswerFailsEveryCall)
{
    force("impress");
    server->refuse = true;
    AutomationRuntime runtime;
    registerChosenServer(runtime, engine, choose());
    Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
    try {
        app->setVisible(true);
        ADD_FAILURE() << "no failure";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("no office answered"));
    }
    EXPECT_TRUE(server->last->calls.isEmpty());
}

TEST_F(Choice, AnOfficeThatDoesNotAnswerHandsTheRunToTheEngine)
{
    QTemporaryDir folder;
    fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
    fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
    server->refuse = true;
    AutomationRuntime runtime;
    registerChosenServer(runtime, engine, choose());

    TestPlan plan;
    plan->write(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("Alpha\r\n- beta"));
    plan.value.productName = QStringLiteral("Acme");
    plan.value.planTitle = QStringLiteral("Plan");
    WindowRun run(fake, runtime);
    generateMarketPlan(run, plan);
    handOffToDesktop(engine, fake.platform);

    // One connection attempt, no report, and the engine's hand-off.
    ASSERT_EQ(server->created, 1);
    EXPECT_EQ(server->last->timeouts.size(), 1u);
    EXPECT_TRUE(server->last->calls.isEmpty());
    EXPECT_TRUE(fake.messages.shown.empty()) << descriptionOf(fake.messages.shown.front()).toStdString();
    EXPECT_EQ(fake.desktop.files, QStringList(folder.path() + QStringLiteral("/marketing_plan_temp.ppt")));
}

TEST(PluginFile, MissingFilesAndOtherLibrariesAreNotThePlugin)
{
    QString why;
    EXPECT_EQ(loadPluginFile(QStringLiteral("/nonexistent/libquillora_impress.so"), OfficeOptions{}, &why), nullptr);
    EXPECT_TRUE(why.endsWith(QStringLiteral("not found")));
    const QString qtCore = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6");
    ASSERT_TRUE(QFile::exists(qtCore));
    EXPECT_EQ(loadPluginFile(qtCore, OfficeOptions{}, &why), nullptr);
    EXPECT_TRUE(why.contains(QStringLiteral("not a Quillora office plugin"))) << why.toStdString();
}
