#include "core/DataFiles.h"
#include "core/FileExists.h"
#include "core/FileNames.h"

#include <QDir>
#include <QStandardPaths>

namespace quillora {

QString userDataFolder()
{
    // On Linux the first generic data location is XDG_DATA_HOME, or
    // ~/.local/share when it is unset or empty.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return QString(); // no home folder to keep anything in
    return QDir::toNativeSeparators(QDir::cleanPath(base + QLatin1Char('/') + QLatin1String(kUserDataFolderName)));
}

QString userTemplatePath()
{
    const QString folder = userDataFolder();
    return folder.isEmpty() ? QString() : inFolder(folder, {kTemplateFileName});
}

QString planBackupFolder()
{
    const QString folder = userDataFolder();
    return folder.isEmpty() ? QString() : inFolder(folder, {kPlanBackupFolderName});
}

QString findDataFile(const QString& programFolder, std::initializer_list<const char*> names)
{
    const QString userFolder = userDataFolder();
    if (!userFolder.isEmpty()) {
        const QString own = inFolder(userFolder, names);
        if (fileExists(own))
            return own;
    }
    return findProgramDataFile(programFolder, names);
}

QString findProgramDataFile(const QString& programFolder, std::initializer_list<const char*> names)
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
