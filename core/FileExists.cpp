#include "core/FileExists.h"
#include "core/RegularFile.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillora {

bool fileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

QString inFolder(const QString& folder, std::initializer_list<const char*> names)
{
    QString path = folder;
    for (const char* name : names)
        path += QDir::separator() + QString::fromUtf8(name);
    return path;
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(file)) {
        if (refusal->notRegular)
            throw RuntimeError(RuntimeError::tr("Path/File access error"));
        throw RuntimeError(RuntimeError::tr("File not found"));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(RuntimeError::tr("Device I/O error"));
    return bytes;
}

} // namespace quillora
