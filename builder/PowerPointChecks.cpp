#include "builder/PowerPointChecks.h"
#include "core/AppTitle.h"

#include <QCoreApplication>

namespace quillora {

using namespace automation;

void checkPresentationAppInstalled(Platform& platform, AutomationRuntime& runtime)
{
    bool installed = false;
    try {
        Ref<Application> application = runtime.CreateObject(QLatin1String(kPowerPointClass));
        installed = !application.isNothing();
        application.release();
    } catch (...) {
        installed = false;
    }
    if (installed)
        return;
    platform.messages->show(applicationTitle(), QCoreApplication::translate("PowerPointChecks", kNotInstalledMessage), MessageIcon::None,
                            MessageButtons::Ok);
    platform.exit->endNow(kNotInstalledExitStatus);
}

bool isPresentationAppRunning(AutomationRuntime& runtime)
{
    try {
        Ref<Application> application = runtime.GetObject(QLatin1String(kPowerPointClass));
        const bool running = application->defaultMember() == QLatin1String(kRunningApplicationName);
        application.release();
        return running;
    } catch (...) {
        return false;
    }
}

bool warnIfPresentationAppOpen(Platform& platform, AutomationRuntime& runtime)
{
    if (!isPresentationAppRunning(runtime))
        return false;
    const MessageAnswer answer = platform.messages->show(applicationTitle(), QCoreApplication::translate("PowerPointChecks", kAlreadyOpenWarning),
                                                         MessageIcon::None, MessageButtons::YesNo);
    return answer != MessageAnswer::Yes;
}

} // namespace quillora
