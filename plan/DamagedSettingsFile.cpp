#include "plan/DamagedSettingsFile.h"
#include "plan/PlanStore.h"
#include "plan/StoreRefusal.h"

#include <QFile>
#include <QSaveFile>
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
    QFile source(filePath);
    if (!source.open(QIODevice::ReadOnly))
        throw PlanStoreError(PlanStoreError::Operation::Write, source.errorString(), filePath);
    const QByteArray bytes = source.readAll();
    // Written beside and renamed into place: a copy is whole or absent.
    QSaveFile target(copy);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() || !target.commit())
        throw PlanStoreError(PlanStoreError::Operation::Write, target.errorString(), copy);
    return copy;
}

} // namespace quillora
