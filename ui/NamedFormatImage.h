#pragma once
// Reads an image whose format is known, asking only the reader for that
// format: Qt's default also asks every image plugin whether it knows the
// data, which loads them all.

#include <QImage>

class QIODevice;

namespace quillora {

// A null image when the data is not an image of that format.
QImage readImageAs(QIODevice& device, const char* format);

} // namespace quillora
