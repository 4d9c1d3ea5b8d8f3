#include "plan/DamagedSettingsFile.h"
#include "plan/PlanStore.h"
#include "plan/StoreRefusal.h"

#include <QFile>
#include <QFileInfo>

namespace quillora {

QString damagedCopyPath(const QString& filePath, const QDateTime& when)
{
    return filePath + QLatin1String(kDamagedCopyMarker) + when.toString(QLatin1String(kDamagedCopyTimeFormat));
}

QString keepDamagedCopy(const QString& filePath, const QDateTime& when)
{
    const QString base = damagedCopyPath(filePath, when);
    QString copy = base;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = base + QLatin1Char('-') + QString::number(n);
    // QFile::copy writes a temporary file and renames it: a copy is whole or absent.
    if (!QFile::copy(filePath, copy)) {
        throw PlanStoreError(PlanStoreError::Operation::Write,
                             writeRefusalReason(copy, QFileInfo(filePath).size()), filePath);
    }
    return copy;
}

} // namespace quillora
