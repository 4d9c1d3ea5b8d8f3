#pragma once
// The values the storage-fault probe writes, shared with the tests that check
// them, so a value read back can be recognised as one whole write.

#include <QString>

namespace quillora::probe {

inline QString countedValue(const QString& tag, int i)
{
    return tag + QLatin1Char(':') + QString::number(i);
}

// "<i>:" followed by exactly `bytes` filler characters that depend on i, so a
// value spliced from two writes does not pass isWholePaddedValue.
inline QString paddedValue(int i, int bytes)
{
    const QChar fill = QChar(u'a' + i % 26);
    return QString::number(i) + QLatin1Char(':') + QString(bytes, fill);
}

// The i of a value paddedValue(i, bytes) wrote, or -1 when it is not one.
inline int wholePaddedValueIndex(const QString& value, int bytes)
{
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return -1;
    bool ok = false;
    const int i = value.left(colon).toInt(&ok);
    if (!ok || i < 0)
        return -1;
    return value == paddedValue(i, bytes) ? i : -1;
}

} // namespace quillora::probe
