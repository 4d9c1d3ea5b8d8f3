// Starts Quillora: the application object, the main window, its start-up,
// then the event loop. Only one window per user runs: a later start brings
// the running one to the front and ends.
//
// Two switches for tooling, read from the environment:
//   QUILLORA_EXIT_AFTER_SHOW=1  end as soon as the window has been painted
//                               for the first time, after printing a line
//                               that says so (start-up timing);
//   QUILLORA_SCREENSHOT=FILE    with it, also save the window as an image.

#include "builder/BuilderEntryPoints.h"
#include "automation/OfficeServerChoice.h"
#include "core/Translations.h"
#include "plan/PlanStore.h"
#include "platform/SessionBus.h"
#include "platform/SystemPlatform.h"
#include "platform/WindowActivation.h"
#include "platform/WindowInstance.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/SafeApplication.h"

#include <QLocale>

#include <optional>

int main(int argc, char** argv)
{
    using namespace quillora;
    // Read before the application object takes them out of the environment.
    const ActivationRequest activation = ActivationRequest::fromEnvironment();
    Platform& platform = systemPlatform();
    // Until the window has been made, which is when Qt asks for the bus.
    std::optional<NoSessionBusLaunch> noBusLaunch(std::in_place);
    SafeApplication app(argc, argv, *platform.messages);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLORA_APP_ID));
    // Before anything shows a text: the window, its messages and Qt's buttons.
    const QString language =
        installTranslations(app, platform.environment->programFolder(), QLocale::system().uiLanguages());
    // The window's locale is the language it speaks (spelling follows it);
    // with its texts in English it stays the desktop's.
    if (!language.isEmpty())
        QLocale::setDefault(QLocale(language));

    // Two windows on one plan would each write their older copy over the
    // other's: when a window already holds it, that one comes to the front
    // and this start ends without building a window or touching the plan.
    // Static, so that its socket goes with the process also when closing the
    // window ends it with std::exit.
    static WindowInstance instance(planStoreFile());
    QWidget* front = nullptr;
    if (!instance.claim(activation, [&front](const ActivationRequest& request) {
            if (front)
                bringToFront(*front, request);
        }))
        return 0;

    // Where the user's plan is kept: the window reads it once and keeps it.
    const std::unique_ptr<PlanStore> plan = openUserPlanStore();
    BuilderEntryPoints builder(platform);
    MainWindow window(platform, *plan, builderHooks(builder));
    noBusLaunch.reset();
    front = &window;
    // What the window shows first is done first; loading the office plugin
    // and the rest of the start-up wait until it has been painted.
    window.startUpAroundFirstPaint([&builder, &platform] {
        // LibreOffice Impress when it can be had, else the built-in engine.
        builder.setPresentationApp(office::registerPresentationServer(builder.runtime(), builder.engine(), platform));
    });
    if (qEnvironmentVariableIntValue("QUILLORA_EXIT_AFTER_SHOW") == 1) {
        const QString screenshot = qEnvironmentVariable("QUILLORA_SCREENSHOT");
        afterFirstPaint(window, [&app, &window, screenshot] {
            printFirstPaintLine();
            if (!screenshot.isEmpty() && !window.grab().save(screenshot))
                app.exit(1);
            else
                app.quit();
        });
    }
    window.showCentred();

    return app.exec();
}
