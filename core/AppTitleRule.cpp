#include "core/AppTitleRule.h"
#include "core/AppTitle.h"

namespace quillora {

QString shortenedAppTitle(QString name)
{
    while (name.size() > kAppTitleMaxLength) {
        const qsizetype lastSpace = name.lastIndexOf(QLatin1Char(' '));
        if (lastSpace < 0) {
            name.truncate(kAppTitleMaxLength);
            break;
        }
        name.truncate(lastSpace);
    }
    return name;
}

void setTitleFromProductName(const QString& productName)
{
    setApplicationTitle(shortenedAppTitle(productName));
}

} // namespace quillora
