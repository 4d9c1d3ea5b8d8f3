#include "plan/SettingsFiles.h"

#include "core/FileNames.h"
#include "plan/PlanStore.h"

#include <QSettings>

namespace quillora {

QString windowSettingsFile()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kSettingsOrganization),
                     QLatin1String(kWindowSettingsName))
        .fileName();
}

QString settingsLockFile(const QString& settingsFile)
{
    return settingsFile + QStringLiteral(".lock");
}

std::vector<ProtectedFile> userSettingsFiles()
{
    const QString store = planStoreFile();
    return {
        {ProtectedRole::PlanSettings, store},
        {ProtectedRole::WindowClaim, store + QLatin1String(kWindowClaimSuffix)},
        {ProtectedRole::WindowSettings, windowSettingsFile()},
    };
}

std::vector<ProtectedFile> protectedFiles(std::initializer_list<ProtectedFile> alsoRead)
{
    std::vector<ProtectedFile> files = userSettingsFiles();
    files.insert(files.end(), alsoRead);
    return files;
}

} // namespace quillora
