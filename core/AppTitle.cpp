#include "core/AppTitle.h"

#include <QCoreApplication>

namespace quillora {
namespace {

QString& storedTitle()
{
    static QString title;
    return title;
}

} // namespace

// Kept here, not as QGuiApplication's applicationDisplayName: Qt adds that
// name to every window title that does not already end with it, so the
// window's "Quillora (your own template)" would read "Quillora (your own
// template) — Quillora". Tools built on QCoreApplication (quillora-deck)
// use it too, without the GUI libraries.
QString applicationTitle()
{
    const QString& title = storedTitle();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void setApplicationTitle(const QString& title)
{
    storedTitle() = title;
}

} // namespace quillora
