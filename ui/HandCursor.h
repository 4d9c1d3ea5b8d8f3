#pragma once
// Loads a Windows cursor file (.cur). Qt reads the image through its icon
// reader but not the hotspot, which sits in the file header.

#include "core/FileNames.h"

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QString>

namespace quillora {

// The hotspot of the first image: little-endian 16-bit X at byte 10, Y at 12.
// Throws RuntimeError when the bytes are not a cursor file.
QPoint cursorHotspot(const QByteArray& bytes);

// Throws RuntimeError when the file cannot be read or is not a cursor.
QCursor loadHandCursor(const QString& path);

} // namespace quillora
