#pragma once
// Why the settings file could not be read or replaced, in the system's own
// words. QSettings only reports that access failed; these repeat the steps
// it takes (make the folder, open the file, write a file as large beside
// it) without touching the settings file, and give the first step's error.

#include <QString>

namespace quillora {

// The reason a write of about `bytes` bytes to filePath fails now;
// errorAfterWrite (errno as the failed write left it) when nothing fails again.
QString writeRefusalReason(const QString& filePath, qint64 bytes, int errorAfterWrite = 0);
// The reason filePath cannot be read now.
QString readRefusalReason(const QString& filePath);

} // namespace quillora
