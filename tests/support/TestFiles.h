#pragma once
// Files the tests write and read back.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace quillora::testing {

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// The whole content of a file; a marker that matches no real content when
// it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable: ") + path.toUtf8() + '>';
}

// A real Windows cursor file: Qt writes an .ico, whose header differs only in
// the type word and in the two words that hold a cursor's hotspot.
inline QByteArray cursorFile(int width, int height, quint16 x, quint16 y)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "ICO"));
    bytes[2] = 2;
    bytes[10] = char(x & 0xff);
    bytes[11] = char(x >> 8);
    bytes[12] = char(y & 0xff);
    bytes[13] = char(y >> 8);
    return bytes;
}

} // namespace quillora::testing
