#include "shell/AppTitle.h"

#include <QGuiApplication>

namespace quillora {

QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

void setApplicationTitle(const QString& title)
{
    QGuiApplication::setApplicationDisplayName(title);
}

} // namespace quillora
