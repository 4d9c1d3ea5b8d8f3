#include "core/AppTitle.h"

#include <QCoreApplication>
#include <QVariant>

namespace quillora {
namespace {

// Kept for a process that has no application object (yet).
QString& titleWithoutApplication()
{
    static QString title;
    return title;
}

} // namespace

// The title is QGuiApplication's applicationDisplayName. It is reached
// through the property system rather than QGuiApplication's own functions so
// that tools built on QCoreApplication (quillora-deck) do not load the GUI
// libraries just for it: those cost several milliseconds at every start.
QString applicationTitle()
{
    if (const QCoreApplication* app = QCoreApplication::instance()) {
        const QVariant title = app->property("applicationDisplayName");
        if (title.isValid())
            return title.toString();
    }
    const QString& title = titleWithoutApplication();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void setApplicationTitle(const QString& title)
{
    titleWithoutApplication() = title;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty("applicationDisplayName", title);
}

} // namespace quillora
