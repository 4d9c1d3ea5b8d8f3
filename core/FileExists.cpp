#include "core/FileExists.h"
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
    if (QFileInfo(path).isDir())
        throw RuntimeError(RuntimeError::tr("Path/File access error"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::tr("File not found"));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(RuntimeError::tr("Device I/O error"));
    return bytes;
}

} // namespace quillora
