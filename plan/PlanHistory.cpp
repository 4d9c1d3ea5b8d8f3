#include "plan/PlanHistory.h"

#include "core/DataFiles.h"
#include "core/FileExists.h"
#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "plan/PlanFileWriter.h"
#include "plan/SectionCatalogue.h"
#include "plan/SettingsFiles.h"
#include "plan/StoredPlan.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quillora {
namespace {

constexpr char kStampFormat[] = "yyyy-MM-dd HHmmss.zzz";

// The time a snapshot's name begins with; invalid for any other file.
QDateTime snapshotTime(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d \\d{6}\\.\\d{3})(?: .*)?\\.json$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return {};
    return QDateTime::fromString(match.captured(1), QLatin1String(kStampFormat));
}

struct KeptFile {
    QString path;
    QDateTime time;
    QDateTime written; // orders two snapshots of the same second
};

std::vector<KeptFile> keptFiles(const QString& folder)
{
    std::vector<KeptFile> files;
    const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const QDateTime time = snapshotTime(entry.fileName());
        if (time.isValid())
            files.push_back({entry.filePath(), time, entry.lastModified()});
    }
    std::sort(files.begin(), files.end(), [](const KeptFile& a, const KeptFile& b) {
        if (a.time != b.time)
            return a.time > b.time;
        return a.written != b.written ? a.written > b.written : a.path > b.path;
    });
    return files;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (file.size() > kPlanFileLimitBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

[[noreturn]] void failWriting(const QString& path, const QString& reason)
{
    throw RuntimeError(PlanFileText::tr("cannot keep the plan in the history as %1: %2").arg(quoted(path), reason));
}

// Writes the bytes to the disk under a hidden name in the folder, then links
// them in under the first free name from `base`: the snapshot appears whole
// or not at all, and a file already there is never replaced.
QString writeSnapshot(const QDir& folder, const QString& base, const QByteArray& bytes)
{
    QTemporaryFile staged(folder.filePath(QStringLiteral(".snapshot-XXXXXX")));
    if (!staged.open())
        failWriting(folder.filePath(base + QStringLiteral(".json")), staged.errorString());
    bool written = staged.write(bytes) == bytes.size() && staged.flush();
#ifdef Q_OS_UNIX
    written = written && ::fsync(staged.handle()) == 0;
#endif
    if (!written)
        failWriting(folder.filePath(base + QStringLiteral(".json")), staged.errorString());

    for (int copy = 1;; ++copy) {
        const QString name = copy == 1 ? base + QStringLiteral(".json") : QStringLiteral("%1 (%2).json").arg(base).arg(copy);
        const QString path = folder.filePath(name);
        guardWrite(path, protectedFiles({}));
#ifdef Q_OS_UNIX
        if (::link(QFile::encodeName(staged.fileName()).constData(), QFile::encodeName(path).constData()) == 0)
            return path;
        if (errno != EEXIST)
            failWriting(path, QString::fromLocal8Bit(std::strerror(errno)));
#else
        if (QFile::copy(staged.fileName(), path))
            return path;
        if (!QFileInfo::exists(path))
            failWriting(path, staged.errorString());
#endif
    }
}

} // namespace

QString planHistoryFolder()
{
    const QString folder = userDataFolder();
    return folder.isEmpty() ? QString() : inFolder(folder, {kHistoryFolderName});
}

PlanHistory::PlanHistory(QString folder)
    : m_folder(std::move(folder))
{
}

QString PlanHistory::record(const PlanDocument& plan, const QDateTime& time)
{
    if (m_folder.isEmpty())
        throw RuntimeError(PlanFileText::tr("there is no folder to keep the plan's history in (no home folder)"));
    const QByteArray json = planFileJson(plan);
    for (const KeptFile& kept : keptFiles(m_folder)) {
        if (fileBytes(kept.path) == json)
            return QString();
    }
    if (!QDir().mkpath(m_folder))
        throw RuntimeError(PlanFileText::tr("cannot create the folder %1 for the plan's history").arg(quoted(m_folder)));
    const QString name = planFileNamePart(plan.productName);
    const QString stamp = time.toString(QLatin1String(kStampFormat));
    const QString path = writeSnapshot(QDir(m_folder), name.isEmpty() ? stamp : stamp + QLatin1Char(' ') + name, json);
    thin(time);
    return path;
}

std::vector<Snapshot> PlanHistory::snapshots() const
{
    std::vector<Snapshot> found;
    for (const KeptFile& kept : keptFiles(m_folder)) {
        try {
            found.push_back({kept.path, kept.time, readPlanFile(kept.path)});
        } catch (const RuntimeError&) {
            // Not a plan: someone else's file, or one damaged outside the program.
        }
    }
    return found;
}

void PlanHistory::thin(const QDateTime& now)
{
    const std::vector<KeptFile> files = keptFiles(m_folder);
    const QDateTime oldest = now.addDays(-kThinnedDays);
    QSet<QDate> daysKept;
    for (size_t i = kKeptSnapshots; i < files.size(); ++i) {
        const KeptFile& kept = files[i];
        // Newest first, so the first one seen of a day is that day's newest.
        const bool keep = kept.time >= oldest && !daysKept.contains(kept.time.date());
        if (keep)
            daysKept.insert(kept.time.date());
        else
            QFile::remove(kept.path);
    }
}

QStringList changedParts(const PlanDocument& older, const PlanDocument& newer)
{
    QStringList parts;
    if (older.productName != newer.productName || older.hasProductName != newer.hasProductName)
        parts << PlanFileText::tr("product name");
    if (older.planTitle != newer.planTitle || older.hasPlanTitle != newer.hasPlanTitle)
        parts << PlanFileText::tr("plan title");
    for (const Section& section : allSections()) {
        const auto was = older.statements.find(section.key());
        const auto is = newer.statements.find(section.key());
        const bool wasStored = was != older.statements.end();
        const bool isStored = is != newer.statements.end();
        if (wasStored != isStored || (wasStored && was->second != is->second))
            parts << section.shownCaption();
    }
    return parts;
}

} // namespace quillora
