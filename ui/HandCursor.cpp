#include "ui/HandCursor.h"
#include "core/FileExists.h"
#include "core/RuntimeError.h"
#include "ui/NamedFormatImage.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>

namespace quillora {
namespace {

quint16 littleEndian16(const QByteArray& bytes, int offset)
{
    return quint16(quint8(bytes[offset])) | quint16(quint8(bytes[offset + 1])) << 8;
}

constexpr int kHeaderSize = 6;
constexpr int kDirectoryEntrySize = 16;
constexpr quint16 kCursorType = 2;

} // namespace

QPoint cursorHotspot(const QByteArray& bytes)
{
    if (bytes.size() < kHeaderSize + kDirectoryEntrySize || littleEndian16(bytes, 0) != 0
        || littleEndian16(bytes, 2) != kCursorType || littleEndian16(bytes, 4) == 0)
        throw RuntimeError(RuntimeError::tr("Invalid picture"));
    return QPoint(littleEndian16(bytes, 10), littleEndian16(bytes, 12));
}

QCursor loadHandCursor(const QString& path)
{
    const QByteArray bytes = readWholeFile(path);
    const QPoint hotspot = cursorHotspot(bytes);
    QImage image;
    for (const char* format : {"CUR", "ICO"}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        image = readImageAs(buffer, format);
        if (!image.isNull())
            break;
    }
    if (image.isNull())
        throw RuntimeError(RuntimeError::tr("Invalid picture"));
    const int x = std::min<int>(hotspot.x(), image.width() - 1);
    const int y = std::min<int>(hotspot.y(), image.height() - 1);
    return QCursor(QPixmap::fromImage(image), x, y);
}

} // namespace quillora
