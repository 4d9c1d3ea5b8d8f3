#include "plan/IniFormat.h"

#include <QStringList>

namespace quillora {
namespace {

bool isHexDigit(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A value's text, escaped so that QSettings reads back exactly this text:
// control characters, quotes and backslashes escaped; quoted when it holds
// a separator or starts or ends with a space. Raw text (a byte array's)
// keeps every character above 0x7e escaped instead of encoded.
void appendEscaped(const QString& text, QByteArray& out)
{
    const bool encode = !(text.startsWith(QLatin1String("@ByteArray(")) || text.startsWith(QLatin1String("@Variant(")));
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const char32_t c : text.toUcs4()) {
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        // "\x4" followed by a hex digit would read as one longer escape.
        if (escapeNextIfDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(uint(c), 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case 0: out += "\\0"; escapeNextIfDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1f || (c >= 0x7f && !encode)) {
                out += "\\x" + QByteArray::number(uint(c), 16);
                escapeNextIfDigit = true;
            } else if (encode) {
                out += QString::fromUcs4(&c, 1).toUtf8();
            } else {
                out += char(c);
            }
        }
    }
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

QString stringText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(value.toByteArray()) + QLatin1Char(')');
    default: {
        QString text = value.toString();
        if (text.contains(QChar::Null))
            return QStringLiteral("@String(") + text + QLatin1Char(')');
        if (text.startsWith(QLatin1Char('@')))
            text.prepend(QLatin1Char('@'));
        return text;
    }
    }
}

} // namespace

QByteArray iniEscapedKey(const QString& key)
{
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/')
            out += '\\';
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
                 || c == '.')
            out += char(c);
        else if (c <= 0xff)
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

QByteArray iniValueText(const QVariant& value)
{
    QByteArray out;
    if (value.typeId() == QMetaType::QStringList) {
        const QStringList list = value.toStringList();
        if (list.isEmpty())
            return "@Invalid()";
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i != 0)
                out += ", ";
            appendEscaped(list[i], out);
        }
        return out;
    }
    appendEscaped(stringText(value), out);
    return out;
}

QByteArray iniFileText(const IniValues& values)
{
    // Section (empty: no group) -> its lines, in key order.
    std::map<QString, QByteArray> sections;
    for (const auto& [key, value] : values) {
        const qsizetype slash = key.indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : key.left(slash);
        const QString name = slash < 0 ? key : key.mid(slash + 1);
        sections[section] += iniEscapedKey(name) + '=' + iniValueText(value) + '\n';
    }
    QByteArray text;
    for (const auto& [section, lines] : sections) {
        if (!text.isEmpty())
            text += '\n';
        QByteArray header = iniEscapedKey(section);
        if (header.isEmpty())
            header = "General";
        else if (header.compare("general", Qt::CaseInsensitive) == 0)
            header = "%General";
        text += '[' + header + "]\n" + lines;
    }
    return text;
}

} // namespace quillora
