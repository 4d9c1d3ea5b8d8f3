#include "plan/PlanStore.h"
#include "core/RuntimeError.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QThread>

#include <memory>

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
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"),
                                       QStringLiteral("Quillora"));
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
        throw RuntimeError(RuntimeError::tr("Path/File access error"));
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

// Writes one value and returns how the file came out of it.
QSettings::Status writeThrough(const QString& key, const QString& value)
{
    const std::unique_ptr<QSettings> settings = openStore();
    removeAbandonedLock(settings->fileName() + QStringLiteral(".lock"));
    settings->setValue(key, value);
    settings->sync();
    return settings->status();
}

class QSettingsBackend final : public SettingsBackend {
public:
    bool read(const QString& key, QString& value) override
    {
        // Opening reads whatever another instance of the program wrote since.
        // Lines that are not settings are skipped; the rest stays readable.
        const QVariant stored = openStore()->value(key);
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

    void write(const QString& key, const QString& value) override
    {
        QSettings::Status status = writeThrough(key, value);
        if (status == QSettings::FormatError) {
            // The file held lines that are not settings. The write rewrote it
            // from what could be read, which drops those lines, but the
            // reading error masks whether the write itself worked. Writing
            // again, now on a clean file, tells.
            status = writeThrough(key, value);
        }
        switch (status) {
        case QSettings::NoError:
            return;
        case QSettings::AccessError:
            throw RuntimeError(RuntimeError::tr("Permission denied"));
        case QSettings::FormatError:
            throw RuntimeError(RuntimeError::tr("Path/File access error"));
        }
    }
};

std::unique_ptr<SettingsBackend>& currentBackend()
{
    static std::unique_ptr<SettingsBackend> backend;
    if (!backend)
        backend = makeQSettingsBackend();
    return backend;
}

} // namespace

std::unique_ptr<SettingsBackend> makeQSettingsBackend()
{
    return std::make_unique<QSettingsBackend>();
}

std::unique_ptr<SettingsBackend> setPlanStoreBackend(std::unique_ptr<SettingsBackend> backend)
{
    std::unique_ptr<SettingsBackend> previous = std::move(currentBackend());
    currentBackend() = std::move(backend);
    return previous;
}

QString planSetting(const QString& key, const QString& defaultValue)
{
    QString value;
    if (!currentBackend()->read(key, value))
        return defaultValue;
    return value;
}

void savePlanSetting(const QString& key, const QString& value)
{
    currentBackend()->write(key, value);
}

} // namespace quillora
