#include "core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {
namespace {

std::optional<EntryKind> nonRegularKind(mode_t mode)
{
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return EntryKind::Device;
    if (S_ISFIFO(mode))
        return EntryKind::Pipe;
    if (S_ISSOCK(mode))
        return EntryKind::Socket;
    return EntryKind::Other;
}

} // namespace

QString entryKindPhrase(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Folder:
        return RegularFileText::tr("a folder");
    case EntryKind::Device:
        return RegularFileText::tr("a device");
    case EntryKind::Pipe:
        return RegularFileText::tr("a named pipe");
    case EntryKind::Socket:
        return RegularFileText::tr("a socket");
    case EntryKind::Other:
        break;
    }
    return RegularFileText::tr("a special file");
}

std::optional<ReadRefusal> openRegularFile(QFile& file)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    // Looked at before it is opened: opening some devices already does
    // something, and a socket cannot be opened at all.
    struct stat status{};
    if (::stat(path.constData(), &status) == 0) {
        if (const std::optional<EntryKind> kind = nonRegularKind(status.st_mode))
            return ReadRefusal{kind, {}};
    }
    // Opened without waiting, and looked at again, in case something else
    // took the name in between: a pipe opened this way does not block.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return ReadRefusal{std::nullopt, qt_error_string(errno)};
    if (::fstat(fd, &status) != 0 || nonRegularKind(status.st_mode)) {
        const std::optional<EntryKind> kind = nonRegularKind(status.st_mode);
        ::close(fd);
        return ReadRefusal{kind.value_or(EntryKind::Other), {}};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ReadRefusal{std::nullopt, file.errorString()};
    }
    return std::nullopt;
}

} // namespace quillora
