#include "plan/StoredPlan.h"

#include "core/DataFiles.h"
#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "plan/PlanFile.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanKeys.h"
#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "plan/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quillora {

// A name no file system refuses and no shell mistakes: no separators or
// characters Windows forbids, no control characters, no format characters
// (a right-to-left override would show the name reversed, a zero-width one
// would hide a difference), no leading dot, and short enough to leave room
// for the time and a counter.
QString planFileNamePart(const QString& productName)
{
    constexpr qsizetype kMaxUtf8Bytes = 150;
    QString name;
    for (const char32_t c : productName.toUcs4()) {
        if (QChar::category(c) == QChar::Other_Format)
            continue;
        if (c < 0x20 || c == 0x7f || (c < 0x80 && QByteArray("/\\:*?\"<>|").contains(char(c))))
            name += QLatin1Char(' ');
        else
            name += QString::fromUcs4(&c, 1);
    }
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.')))
        name = name.mid(1).trimmed();
    while (name.toUtf8().size() > kMaxUtf8Bytes || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))
           || (!name.isEmpty() && name.back().isHighSurrogate()))
        name.chop(1);
    return name;
}

namespace {

void writeNewFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        throw RuntimeError(
            PlanFileText::tr("cannot write the plan backup %1: %2").arg(quoted(path), file.errorString()));
    }
    bool written = file.write(bytes) == bytes.size() && file.flush();
#ifdef Q_OS_UNIX
    // The backup must be on the disk before the store is replaced.
    written = written && ::fsync(file.handle()) == 0;
#endif
    const QString reason = file.errorString();
    file.close();
    if (!written) {
        file.remove();
        throw RuntimeError(PlanFileText::tr("cannot write the plan backup %1: %2").arg(quoted(path), reason));
    }
}

// Beside the plans folder: the path of the plan kept when a session ended.
QString unsavedPlanNotePath()
{
    const QString folder = userDataFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("unsaved-plan"));
}

} // namespace

QString keepUnsavedPlan(const PlanDocument& plan)
{
    QString path;
    try {
        path = backupPlan(plan);
    } catch (const RuntimeError&) {
        return QString();
    }
    const QString notePath = unsavedPlanNotePath();
    if (writeRefusal(notePath, userSettingsFiles()))
        return path;
    QSaveFile note(notePath);
    if (note.open(QIODevice::WriteOnly)) {
        note.write(path.toUtf8());
        note.commit();
    }
    return path;
}

QString takeUnsavedPlanNote()
{
    const QString notePath = unsavedPlanNotePath();
    QFile note(notePath);
    if (notePath.isEmpty() || !note.open(QIODevice::ReadOnly))
        return QString();
    const QString path = QString::fromUtf8(note.read(4096));
    note.close();
    note.remove();
    return path;
}

PlanDocument readStoredPlan(PlanStore& store)
{
    PlanDocument plan;
    if (const std::optional<QString> name = store.stored(QLatin1String(kProductNameKey))) {
        plan.productName = *name;
        plan.hasProductName = true;
    }
    if (const std::optional<QString> title = store.stored(QLatin1String(kMarketingPlanKey))) {
        plan.planTitle = *title;
        plan.hasPlanTitle = true;
    }
    for (const Section& section : allSections()) {
        if (const std::optional<QString> statement = store.stored(section.key()))
            plan.statements[section.key()] = *statement;
    }
    return plan;
}

void storePlan(PlanStore& store, const PlanDocument& plan)
{
    PlanValues values;
    if (plan.hasProductName)
        values.emplace_back(QLatin1String(kProductNameKey), plan.productName);
    if (plan.hasPlanTitle)
        values.emplace_back(QLatin1String(kMarketingPlanKey), plan.planTitle);
    for (const auto& [key, statement] : plan.statements)
        values.emplace_back(key, statement);
    store.writeAll(values);
}

QString planBackupFileName(const QDateTime& time, const QString& productName)
{
    const QString stamp = time.toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    const QString name = planFileNamePart(productName);
    return (name.isEmpty() ? stamp : stamp + QLatin1Char(' ') + name) + QStringLiteral(".json");
}

QString backupStoredPlan(PlanStore& store, const QString& folder, const QDateTime& time)
{
    return backupPlan(readStoredPlan(store), folder, time);
}

QString backupPlan(const PlanDocument& plan)
{
    return backupPlan(plan, planBackupFolder(), QDateTime::currentDateTime());
}

QString backupPlan(const PlanDocument& plan, const QString& folder, const QDateTime& time)
{
    if (!plan.hasProductName && !plan.hasPlanTitle && plan.statements.empty())
        return QString();
    if (folder.isEmpty())
        throw RuntimeError(PlanFileText::tr("there is no folder to keep the replaced plan in (no home folder)"));
    if (!QDir().mkpath(folder))
        throw RuntimeError(PlanFileText::tr("cannot create the folder %1 for the replaced plan").arg(quoted(folder)));

    const QString base = planBackupFileName(time, plan.productName).chopped(5);
    const QDir dir(folder);
    QString path = dir.filePath(base + QStringLiteral(".json"));
    for (int copy = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++copy)
        path = dir.filePath(QStringLiteral("%1 (%2).json").arg(base).arg(copy));
    writeNewFile(path, planFileJson(plan));
    return path;
}

QString backupStoredPlan(PlanStore& store)
{
    return backupStoredPlan(store, planBackupFolder(), QDateTime::currentDateTime());
}

} // namespace quillora
