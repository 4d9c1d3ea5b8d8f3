#pragma once
// Opening a file the program reads (a plan file, a template, a deck, the
// cursor or the skin): only a regular file is opened, symbolic links
// followed. A folder, a device, a named pipe or a socket is refused at once:
// a pipe with no writer would block the open for good, and a device such as
// /dev/zero never ends.

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <optional>

namespace quillora {

enum class EntryKind { Folder, Device, Pipe, Socket, Other };

// "a folder", "a device", "a named pipe", "a socket", "a special file": what
// stands where a file was expected, for "... is %1, not a file".
QString entryKindPhrase(EntryKind kind);

// Why a file was not opened: what stands there when it is not a regular
// file, else the system's reason ("No such file or directory").
struct ReadRefusal {
    std::optional<EntryKind> notRegular;
    QString reason;
};

// Opens `file` (named and closed) for reading. Nothing when it is open now;
// otherwise why not, and nothing was waited for.
std::optional<ReadRefusal> openRegularFile(QFile& file);

// The sentences are told under this context.
struct RegularFileText {
    Q_DECLARE_TR_FUNCTIONS(RegularFile)
};

} // namespace quillora
