#include "plan/StoreRefusal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillora {
namespace {

QString systemReason(int error)
{
    return qt_error_string(error);
}

// Makes the folder and its missing parents, as a write does; the reason
// when one of them cannot be made.
QString makeFolder(const QString& path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return {};
    if (folder.exists())
        return systemReason(ENOTDIR); // a file where the folder belongs
    const QString parent = folder.absolutePath();
    if (parent != folder.absoluteFilePath()) {
        if (QString reason = makeFolder(parent); !reason.isEmpty())
            return reason;
    }
#ifdef Q_OS_UNIX
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return systemReason(errno);
#else
    if (!QDir().mkdir(path))
        return systemReason(EACCES);
#endif
    return {};
}

// Writes `bytes` bytes to a scratch file beside the settings file and makes
// them durable, as the store's own temporary file would be; the file goes.
QString probeWrite(const QString& filePath, qint64 bytes)
{
    QTemporaryFile probe(filePath + QStringLiteral(".probe-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    const QByteArray block(4096, ' ');
    for (qint64 left = bytes; left > 0; left -= block.size()) {
        if (probe.write(block.constData(), qMin<qint64>(left, block.size())) < 0 || !probe.flush())
            return probe.errorString();
    }
#ifdef Q_OS_UNIX
    if (::fsync(probe.handle()) != 0)
        return systemReason(errno);
#endif
    return {};
}

} // namespace

QString writeRefusalReason(const QString& filePath, qint64 bytes, int errorAfterWrite)
{
    const QFileInfo file(filePath);
    if (QString reason = makeFolder(file.absolutePath()); !reason.isEmpty())
        return reason;
    if (file.isDir())
        return systemReason(EISDIR);
    if (file.exists()) {
        QFile existing(filePath);
        if (!existing.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return existing.errorString();
    }
    if (QString reason = probeWrite(filePath, bytes); !reason.isEmpty())
        return reason;
    // Nothing failed the second time: the last error the write itself met.
    return systemReason(errorAfterWrite != 0 ? errorAfterWrite : EIO);
}

QString readRefusalReason(const QString& filePath)
{
    if (QFileInfo(filePath).isDir())
        return systemReason(EISDIR);
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return systemReason(EIO);
}

} // namespace quillora
