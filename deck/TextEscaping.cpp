#include "deck/TextEscaping.h"

namespace quillora::deck::detail {
namespace {

bool isHex(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// "_xHHHH" starting at i.
bool escapeStartsAt(const QString& text, qsizetype i)
{
    if (i + 6 > text.size() || text[i] != QLatin1Char('_') || text[i + 1] != QLatin1Char('x'))
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!isHex(text[k]))
            return false;
    return true;
}

// "_xHHHH_" starting at i.
bool escapeAt(const QString& text, qsizetype i)
{
    return escapeStartsAt(text, i) && i + 6 < text.size() && text[i + 6] == QLatin1Char('_');
}

bool xmlCannotHold(char16_t u)
{
    return (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) || u == 0xFFFE || u == 0xFFFF;
}

void appendEscape(QString& out, char16_t u)
{
    out += QLatin1String("_x") + QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0'))
        + QLatin1Char('_');
}

} // namespace

QString escapeOoxmlText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[++i];
        } else if (QChar::isSurrogate(u) || xmlCannotHold(u) || escapeStartsAt(text, i)) {
            // "_xHHHH" is escaped even without its closing "_": the next
            // character may be escaped itself and supply one.
            appendEscape(out, u);
        } else {
            out += text[i];
        }
    }
    return out;
}

QString unescapeOoxmlText(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i)) {
            out += QChar(static_cast<char16_t>(text.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace quillora::deck::detail
