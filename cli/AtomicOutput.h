#pragma once
// Putting a finished file in place so that the destination is always either
// the old file or the whole new one.

#include <QByteArray>
#include <QString>

namespace quillora {

// Copies source to destination through a temporary file beside the
// destination that is renamed over it only once everything is written. A new
// file gets the usual mode (0666 less the umask), a replaced one keeps its
// mode, and a destination that is a link is written through. The file is not
// forced to disk first: like any copy, the system writes it back in its own
// time. Throws RuntimeError naming the file on any failure; the destination
// is then untouched.
void publishFile(const QString& source, const QString& destination);

// The same for bytes held in memory.
void publishBytes(const QByteArray& bytes, const QString& destination);

} // namespace quillora
