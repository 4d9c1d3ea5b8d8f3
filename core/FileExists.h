#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>

namespace quillora {

// True when the date and time of the entry's last change can be read: a file
// or a folder. A path in a missing folder is simply absent; nothing is shown.
bool fileExists(const QString& path);

// A path in the program folder, joined with the platform's separator:
// inFolder("/opt/quillora", {"x", "o.cjs"}) -> "/opt/quillora/x/o.cjs".
QString inFolder(const QString& folder, std::initializer_list<const char*> names);

// The whole content of a file. Throws RuntimeError for anything but a
// regular file (a folder, a device, a named pipe: refused without waiting),
// a missing file or a read error.
QByteArray readWholeFile(const QString& path);

} // namespace quillora
