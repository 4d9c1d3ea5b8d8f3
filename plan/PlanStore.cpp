#include "plan/PlanStore.h"
#include "plan/DamagedSettingsFile.h"
#include "plan/IniFormat.h"
#include "plan/SettingsFiles.h"
#include "plan/StoreRefusal.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QThread>

#include <cerrno>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif
#include <memory>
#include <optional>

namespace quillora {
namespace {

// Opens the store. Each operation takes a QSettings object of its own: the
// parsed file is shared between them inside Qt, so this costs little, and a
// fresh object starts with a clean status. QSettings never resets its status,
// so a long-lived object would report one refused write, or one unreadable
// line, on every later operation.
std::unique_ptr<QSettings> openStore()
{
#ifdef Q_OS_WIN
    // The key the original program's settings functions used, so that a
    // plan written by an earlier Windows version is found again.
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Tarnvale\\Quillora"),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication));
#endif
}

// A writer holds "<file>.lock" while it replaces the file; the lock names the
// writer's process, so QSettings takes over a lock whose process is gone at
// once. A writer killed between creating the lock and writing its name into
// it leaves an empty lock that QSettings only takes over once it is 30
// seconds old, and every keystroke until then would freeze the window. A
// live writer fills its lock within microseconds, so an empty lock that
// stays empty for a moment is abandoned.
void removeAbandonedLock(const QString& lockPath)
{
    // Anything but a file there (a folder, say) can never be taken over, and
    // QSettings would wait for it forever: refuse the write instead.
    const QFileInfo existing(lockPath);
    if (existing.exists() && !existing.isFile())
        throw PlanStoreError(PlanStoreError::Operation::Write, qt_error_string(EISDIR), lockPath);
    constexpr qint64 kAbandonedAfterMs = 500;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const QFileInfo lock(lockPath);
        if (!lock.isFile() || lock.size() != 0)
            return;
        const qint64 ageMs = lock.lastModified().msecsTo(QDateTime::currentDateTime());
        if (ageMs >= kAbandonedAfterMs || waited.elapsed() >= kAbandonedAfterMs) {
            QFile::remove(lockPath);
            return;
        }
        QThread::msleep(10);
    }
}

#ifndef Q_OS_WIN
// The settings file as the store last read or wrote it: told apart from a
// file changed since by anything else by its identity, size and time to the
// nanosecond.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    qint64 modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino, info.st_size,
                        qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// Makes the folder and its missing parents; the reason when one cannot be made.
QString makeFolder(const QString& path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return {};
    if (folder.exists())
        return qt_error_string(ENOTDIR); // a file where the folder belongs
    const QString parent = folder.absolutePath();
    if (parent != folder.absoluteFilePath()) {
        if (QString reason = makeFolder(parent); !reason.isEmpty())
            return reason;
    }
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return qt_error_string(errno);
    return {};
}

// The lock could not be taken: the system's reason where the lock file
// could not be made, else that another writer holds it.
QString lockRefusal(const QLockFile& lock, int error)
{
    if (lock.error() == QLockFile::LockFailedError)
        return qt_error_string(EWOULDBLOCK);
    return qt_error_string(error != 0 ? error : EACCES);
}

// The store writes its file itself, in QSettings' format and under the
// lock QSettings takes, so every write that fails says why in the system's
// words. Reading goes through QSettings, which reads every file an earlier
// version wrote, but only when the file changed since this store last read
// or wrote it.
class IniPlanStore final : public PlanStore {
public:
    explicit IniPlanStore(QString file) : m_file(std::move(file)) {}

    bool read(const QString& key, QString& value) override
    {
        const IniValues& values = current(PlanStoreError::Operation::Read);
        const auto stored = values.find(key);
        if (stored == values.end())
            return false;
        // QSettings reads an unquoted value with commas, as a hand edit of
        // the file leaves it, as a list; toString() would give nothing, and
        // the next save of the field would wipe the text for good.
        if (stored->second.typeId() == QMetaType::QStringList)
            value = stored->second.toStringList().join(QStringLiteral(", "));
        else
            value = stored->second.toString();
        return true;
    }

    void write(const QString& key, const QString& value) override { writeAll({{key, value}}); }

    void writeAll(const PlanValues& values) override
    {
        if (values.empty())
            return;
        const QString folderReason = makeFolder(QFileInfo(m_file).absolutePath());
        if (!folderReason.isEmpty())
            throw PlanStoreError(PlanStoreError::Operation::Write, folderReason, m_file);
        const QString lockPath = settingsLockFile(m_file);
        removeAbandonedLock(lockPath);
        QLockFile lock(lockPath);
        errno = 0;
        if (!lock.tryLock(kLockWaitMs)) {
            const int error = errno;
            throw PlanStoreError(PlanStoreError::Operation::Write, lockRefusal(lock, error), lockPath);
        }
        IniValues merged = current(PlanStoreError::Operation::Write);
        keepDamagedFile();
        for (const auto& [key, value] : values)
            merged[key] = value;
        const QByteArray text = iniFileText(merged);
        QSaveFile file(m_file);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            throw PlanStoreError(PlanStoreError::Operation::Write, file.errorString(), m_file);
        m_known = Known{identityOf(m_file), std::move(merged)};
    }

    QString keptDamagedCopy() const override { return m_keptCopy; }

private:
    static constexpr int kLockWaitMs = 5000;

    struct Known {
        std::optional<FileIdentity> identity;
        IniValues values;
    };

    // The file's values, read anew only when the file changed.
    const IniValues& current(PlanStoreError::Operation operation)
    {
        const std::optional<FileIdentity> now = identityOf(m_file);
        if (m_known && m_known->identity == now)
            return m_known->values;
        IniValues values;
        if (now) {
            if (QFileInfo(m_file).isDir())
                throw PlanStoreError(operation, qt_error_string(EISDIR), m_file);
            QFile file(m_file);
            if (!file.open(QIODevice::ReadOnly))
                throw PlanStoreError(operation, file.errorString(), m_file);
            QSettings settings(m_file, QSettings::IniFormat);
            for (const QString& key : settings.allKeys())
                values[key] = settings.value(key);
            if (settings.status() == QSettings::AccessError)
                throw PlanStoreError(operation, qt_error_string(EIO), m_file);
            // Lines that are not settings: the file is kept as it is before
            // the first write replaces it.
            m_damaged = settings.status() == QSettings::FormatError ? now : std::nullopt;
        }
        m_known = Known{now, std::move(values)};
        return m_known->values;
    }

    void keepDamagedFile()
    {
        if (!m_damaged || m_damaged != identityOf(m_file))
            return;
        m_keptCopy = keepDamagedCopy(m_file, QDateTime::currentDateTime());
        m_damaged.reset();
    }

    QString m_file;
    std::optional<Known> m_known;
    std::optional<FileIdentity> m_damaged;
    QString m_keptCopy;
};
#else
struct WriteOutcome {
    QSettings::Status status = QSettings::NoError;
    int error = 0; // errno as the write left it
};

// Writes the values with one replacement of the file and returns how the
// file came out of it.
WriteOutcome writeThrough(QSettings& settings, const PlanValues& values)
{
    removeAbandonedLock(settingsLockFile(settings.fileName()));
    for (const auto& [key, value] : values)
        settings.setValue(key, value);
    errno = 0;
    settings.sync();
    return {settings.status(), errno};
}

qint64 byteCount(const PlanValues& values)
{
    qint64 bytes = 0;
    for (const auto& [key, value] : values)
        bytes += (key.size() + value.size()) * 4;
    return bytes;
}

// The file as far as telling a changed file from an unchanged one goes, as
// QSettings itself tells them apart.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified()};
}

class QSettingsPlanStore final : public PlanStore {
public:
    bool read(const QString& key, QString& value) override
    {
        // Opening reads whatever another instance of the program wrote since.
        // Lines that are not settings are skipped; the rest stays readable.
        const std::unique_ptr<QSettings> settings = open();
        const QVariant stored = settings->value(key);
        if (!stored.isValid())
            return false;
        // QSettings reads an unquoted value with commas, as a hand edit of
        // the file leaves it, as a list; toString() would give nothing, and
        // the next save of the field would wipe the text for good.
        if (stored.typeId() == QMetaType::QStringList)
            value = stored.toStringList().join(QStringLiteral(", "));
        else
            value = stored.toString();
        return true;
    }

    void write(const QString& key, const QString& value) override { writeAll({{key, value}}); }

    void writeAll(const PlanValues& values) override
    {
        if (values.empty())
            return;
        QString file;
        {
            const std::unique_ptr<QSettings> settings = open();
            file = settings->fileName();
        }
        keepDamagedFile(file);
        // A fresh object: QSettings never clears a status once set, so the
        // one that read a damaged file would report that on every write.
        WriteOutcome outcome = writeThrough(*openStore(), values);
        if (outcome.status == QSettings::FormatError) {
            // The file was read anew and held lines that are not settings;
            // the reading error masks whether the write itself worked.
            // Writing again, now on a clean file, tells.
            outcome = writeThrough(*openStore(), values);
        }
        if (outcome.status != QSettings::NoError) {
            // A probe as large as the file would be plus a block.
            const qint64 bytes = qMax<qint64>(stampOf(file).size, 0) + byteCount(values) + 4096;
            throw PlanStoreError(PlanStoreError::Operation::Write, writeRefusalReason(file, bytes, outcome.error),
                                 file);
        }
    }

    QString keptDamagedCopy() const override { return m_keptCopy; }

private:
    // Opens the store and notes what reading it found: a file that cannot be
    // read at all is an error, one with lines that are not settings is
    // damaged and kept before the next write. QSettings reports either only
    // when it parses the file, not when it serves an unchanged file from its
    // cache, so a damaged file is remembered by its stamp.
    std::unique_ptr<QSettings> open()
    {
        std::unique_ptr<QSettings> settings = openStore();
        // Qt reads the file at the first access, not when the object is made.
        settings->contains(QString());
        switch (settings->status()) {
        case QSettings::NoError:
            break;
        case QSettings::AccessError:
            throw PlanStoreError(PlanStoreError::Operation::Read, readRefusalReason(settings->fileName()),
                                 settings->fileName());
        case QSettings::FormatError:
            m_damaged = stampOf(settings->fileName());
            break;
        }
        return settings;
    }

    void keepDamagedFile(const QString& file)
    {
        const FileStamp now = stampOf(file);
        if (!m_damaged || *m_damaged != now)
            return;
        m_keptCopy = keepDamagedCopy(file, QDateTime::currentDateTime());
        m_damaged.reset();
    }

    std::optional<FileStamp> m_damaged;
    QString m_keptCopy;
};

#endif

} // namespace

std::unique_ptr<PlanStore> openUserPlanStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettingsPlanStore>();
#else
    return std::make_unique<IniPlanStore>(planStoreFile());
#endif
}

QString PlanStore::value(const QString& key, const QString& defaultValue)
{
    return stored(key).value_or(defaultValue);
}

std::optional<QString> PlanStore::stored(const QString& key)
{
    QString value;
    if (!read(key, value))
        return std::nullopt;
    return value;
}

QString planStoreFile()
{
    return openStore()->fileName();
}

} // namespace quillora
