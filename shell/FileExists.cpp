#include "shell/FileExists.h"

#include <QDir>
#include <QFileInfo>

namespace quillora {

bool FileExists(const QString& path)
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

} // namespace quillora
