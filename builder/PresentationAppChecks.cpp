#include "builder/PresentationAppChecks.h"
#include "core/AppTitle.h"

#include <QCoreApplication>

namespace quillora {

using namespace automation;

namespace {

QString withName(const char* text, const PresentationAppWords& app)
{
    QString sentenceStart = app.name;
    if (!sentenceStart.isEmpty())
        sentenceStart[0] = sentenceStart[0].toUpper();
    // Marker by marker: a text need not hold all three (arg() would
    // renumber them). The words put in hold no markers.
    return QCoreApplication::translate("PowerPointChecks", text)
        .replace(QLatin1String("%1"), app.name)
        .replace(QLatin1String("%2"), sentenceStart)
        .replace(QLatin1String("%3"), app.closing);
}

} // namespace

QString notInstalledMessage(const PresentationAppWords& app)
{
    return withName(kNotInstalledMessage, app);
}

QString alreadyOpenWarning(const PresentationAppWords& app)
{
    return withName(kAlreadyOpenWarning, app);
}

void checkPresentationAppInstalled(Platform& platform, AutomationRuntime& runtime, const PresentationAppWords& app)
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
    platform.messages->show(applicationTitle(), notInstalledMessage(app), MessageIcon::None,
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

bool warnIfPresentationAppOpen(Platform& platform, AutomationRuntime& runtime, const PresentationAppWords& app)
{
    if (!isPresentationAppRunning(runtime))
        return false;
    const MessageAnswer answer = platform.messages->show(applicationTitle(), alreadyOpenWarning(app),
                                                         MessageIcon::None, MessageButtons::YesNo);
    return answer != MessageAnswer::Yes;
}

} // namespace quillora
