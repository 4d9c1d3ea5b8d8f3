#include "core/DataFiles.h"
#include "core/FileExists.h"

#include <QDir>

namespace quillora {

QString findDataFile(const QString& programFolder, std::initializer_list<const char*> names)
{
    const QString beside = inFolder(programFolder, names);
    if (fileExists(beside))
        return beside;
    const QString dataFolder =
        QDir::toNativeSeparators(QDir::cleanPath(programFolder + QLatin1Char('/') + QLatin1String(kInstalledDataFolder)));
    const QString installed = inFolder(dataFolder, names);
    if (fileExists(installed))
        return installed;
    return beside;
}

} // namespace quillora
