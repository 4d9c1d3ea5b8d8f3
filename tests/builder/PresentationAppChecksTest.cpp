#include "automation/OfficeServerChoice.h"
#include "builder/PresentationAppChecks.h"
#include "core/AppTitle.h"
#include "tests/builder/RecordingAutomation.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/InstalledTranslations.h"

#include <gtest/gtest.h>

using namespace quillora;
using namespace quillora::automation;
using quillora::testing::FakePlatform;
using quillora::testing::RecordingWorld;

namespace {

struct ChecksFixture : ::testing::Test {
    void SetUp() override { setApplicationTitle(QStringLiteral("Acme Widgets")); }
    FakePlatform fake;
    AutomationRuntime runtime;
    std::shared_ptr<RecordingWorld> world = std::make_shared<RecordingWorld>();
};

office::ServerChoice impressChoice()
{
    office::ServerChoice choice;
    choice.forced = true; // no server needed to name it
    return choice;
}
const PresentationAppWords kImpress = office::presentationAppWords(impressChoice());

const QString kNotInstalled = QStringLiteral(
    "LibreOffice Impress is not installed on this computer. You need to have it installed to use this software without error.");
const QString kWarning = QStringLiteral(
    "LibreOffice Impress may be open. It is recommended that you close LibreOffice Impress first.\r"
    "Use File > Exit LibreOffice in any of its windows, or end soffice.bin in the system monitor, if necessary.\r\n\r\n"
    "Would you like to proceed anyway?");

} // namespace

TEST_F(ChecksFixture, InstalledCheckPassesSilentlyAndLeavesNothingRunning)
{
    quillora::testing::registerRecordingApplication(runtime, world);
    checkPresentationAppInstalled(fake.platform, runtime, kImpress);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(fake.exit.statuses.empty());
    EXPECT_EQ(world->log, (QStringList{"started Application", "released Application"}));
}

TEST_F(ChecksFixture, NotInstalledSaysSoAndEndsTheProgram)
{
    // Not registered, registered but starting nothing, registered but failing.
    std::vector<std::function<void()>> setups{
        [] {},
        [&] { runtime.registerClass(QLatin1String(kPowerPointClass), [] { return std::shared_ptr<Application>(); }); },
        [&] {
            runtime.registerClass(QLatin1String(kPowerPointClass),
                                  []() -> std::shared_ptr<Application> { throw RuntimeError(QStringLiteral("broken")); });
        },
    };
    for (auto& setup : setups) {
        FakePlatform local;
        setup();
        checkPresentationAppInstalled(local.platform, runtime, kImpress);
        ASSERT_EQ(local.messages.shown.size(), 1u);
        EXPECT_EQ(local.messages.shown[0].title, QStringLiteral("Acme Widgets"));
        EXPECT_EQ(local.messages.shown[0].text, kNotInstalled);
        EXPECT_EQ(local.messages.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(local.messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(local.exit.statuses, (std::vector<int>{kNotInstalledExitStatus}));
    }
}

TEST_F(ChecksFixture, RunningMeansARunningInstanceThatAnswersToItsExactName)
{
    EXPECT_FALSE(isPresentationAppRunning(runtime)); // nothing registered

    quillora::testing::registerRecordingApplication(runtime, world);
    EXPECT_FALSE(isPresentationAppRunning(runtime)); // registered, not running
    {
        Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
        EXPECT_TRUE(isPresentationAppRunning(runtime));
        world->failing << QStringLiteral("Application.[default]");
        EXPECT_FALSE(isPresentationAppRunning(runtime));
    }
    EXPECT_FALSE(isPresentationAppRunning(runtime)); // last reference gone

    for (const char* other : {"microsoft powerpoint", "Microsoft PowerPoint ", "LibreOffice Impress"}) {
        auto w = std::make_shared<RecordingWorld>();
        quillora::testing::registerRecordingApplication(runtime, w, QLatin1String(other));
        Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));
        EXPECT_FALSE(isPresentationAppRunning(runtime)) << other;
    }
}

TEST_F(ChecksFixture, NoWarningWhenNothingRuns)
{
    quillora::testing::registerRecordingApplication(runtime, world);
    EXPECT_FALSE(warnIfPresentationAppOpen(fake.platform, runtime, kImpress));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ChecksFixture, WarningWhenRunningAsksYesOrNo)
{
    quillora::testing::registerRecordingApplication(runtime, world);
    Ref<Application> app = runtime.CreateObject(QLatin1String(kPowerPointClass));

    fake.messages.answers = {MessageAnswer::Yes, MessageAnswer::No};
    EXPECT_FALSE(warnIfPresentationAppOpen(fake.platform, runtime, kImpress)); // Yes: go on
    EXPECT_TRUE(warnIfPresentationAppOpen(fake.platform, runtime, kImpress));  // No: stop

    ASSERT_EQ(fake.messages.shown.size(), 2u);
    for (const auto& shown : fake.messages.shown) {
        EXPECT_EQ(shown.title, QStringLiteral("Acme Widgets"));
        EXPECT_EQ(shown.text, kWarning);
        EXPECT_EQ(shown.icon, MessageIcon::None);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    }
}

TEST(CheckWords, NameTheApplicationInUseAndThisDesktopsWayToCloseIt)
{
    EXPECT_EQ(notInstalledMessage(kImpress), kNotInstalled);
    EXPECT_EQ(alreadyOpenWarning(kImpress), kWarning);

    // The engine's decks open in whatever the desktop gives presentations to.
    const PresentationAppWords desktop = office::presentationAppWords(office::ServerChoice{});
    EXPECT_EQ(alreadyOpenWarning(desktop),
              QStringLiteral("Your presentation program may be open. It is recommended that you close your presentation "
                             "program first.\rUse its File menu, or close all its windows, if necessary.\r\n\r\n"
                             "Would you like to proceed anyway?"));
    EXPECT_EQ(notInstalledMessage(desktop),
              QStringLiteral("Your presentation program is not installed on this computer. You need to have it installed "
                             "to use this software without error."));
    for (const QString& text : {alreadyOpenWarning(desktop), alreadyOpenWarning(kImpress), notInstalledMessage(kImpress)}) {
        EXPECT_FALSE(text.contains(QLatin1String("PowerPoint"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QLatin1Char('%'))) << text.toStdString();
    }
}

TEST(CheckWords, OnAGermanDesktopTheMessageAndTheWordsInItAreGerman)
{
    const quillora::testing::InstalledTranslations german({QStringLiteral("de-DE")});
    EXPECT_EQ(alreadyOpenWarning(office::presentationAppWords(office::ServerChoice{})),
              QStringLiteral("Ihr Pr\u00e4sentationsprogramm ist m\u00f6glicherweise ge\u00f6ffnet. Es wird empfohlen, Ihr "
                             "Pr\u00e4sentationsprogramm zuerst zu schlie\u00dfen.\rNutzen Sie bei Bedarf dessen Men\u00fc "
                             "\u201eDatei\u201c oder schlie\u00dfen Sie alle seine Fenster.\r\n\r\n"
                             "M\u00f6chten Sie trotzdem fortfahren?"));
}
