// Starts Quillora: the application object, the main window, its start-up,
// then the event loop.
//
// Two switches for tooling, read from the environment:
//   QUILLORA_EXIT_AFTER_SHOW=1  end as soon as the window has been painted
//                               for the first time (start-up timing);
//   QUILLORA_SCREENSHOT=FILE    with it, also save the window as an image.

#include "builder/BuilderEntryPoints.h"
#include "builder/OfficeServerChoice.h"
#include "platform/SystemPlatform.h"
#include "ui/FirstPaint.h"
#include "ui/MainWindow.h"
#include "ui/SafeApplication.h"


int main(int argc, char** argv)
{
    using namespace quillora;
    Platform& platform = systemPlatform();
    SafeApplication app(argc, argv, *platform.messages);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLORA_APP_ID));

    BuilderEntryPoints builder(platform);
    // LibreOffice Impress when it can be had, else the built-in engine.
    office::registerPresentationServer(builder.runtime(), builder.engine(), platform);
    MainWindow window(platform, builderHooks(builder));
    builder.setSlideOneTexts(window);
    window.startUp();
    if (qEnvironmentVariableIntValue("QUILLORA_EXIT_AFTER_SHOW") == 1) {
        const QString screenshot = qEnvironmentVariable("QUILLORA_SCREENSHOT");
        afterFirstPaint(window, [&app, &window, screenshot] {
            if (!screenshot.isEmpty() && !window.grab().save(screenshot))
                app.exit(1);
            else
                app.quit();
        });
    }
    window.showCentred();

    return app.exec();
}
