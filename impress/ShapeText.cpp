#include "impress/ShapeText.h"

namespace quillora::impress {
namespace {

constexpr QChar kParagraphEnd = QLatin1Char('\r');
constexpr QChar kNewLine = QLatin1Char('\n');
constexpr QChar kVerticalTab = QLatin1Char('\v');

// The "\n" of a "\r\n" pair: no character in Impress.
bool isOpener(const QString& text, qsizetype i)
{
    return text.at(i) == kNewLine && i > 0 && text.at(i - 1) == kParagraphEnd;
}

} // namespace

ShapeText ShapeText::fromParagraphs(const std::vector<QString>& paragraphs)
{
    ShapeText shapeText;
    for (size_t k = 0; k < paragraphs.size(); ++k) {
        if (k > 0)
            shapeText.m_text += kParagraphEnd;
        QString paragraph = paragraphs[k];
        paragraph.replace(kNewLine, kVerticalTab).replace(kParagraphEnd, kVerticalTab);
        shapeText.m_text += paragraph;
    }
    return shapeText;
}

int ShapeText::officePosition(int position) const
{
    int office = 0;
    for (qsizetype i = 0; i < position; ++i) {
        if (!isOpener(m_text, i))
            ++office;
    }
    return office;
}

int ShapeText::paragraphAt(int position) const
{
    return static_cast<int>(QStringView(m_text).left(position).count(kParagraphEnd));
}

int ShapeText::paragraphStart(int paragraph) const
{
    qsizetype at = 0;
    for (int k = 0; k < paragraph; ++k) {
        const qsizetype end = m_text.indexOf(kParagraphEnd, at);
        if (end < 0)
            break;
        at = end + 1;
    }
    // The opener of a "\r\n" belongs to the paragraph but takes no place.
    return officePosition(static_cast<int>(at));
}

void ShapeText::replace(int start, int count, const QString& text)
{
    m_text.replace(start, count, text);
}

std::vector<OfficePiece> officePieces(const QString& text)
{
    std::vector<OfficePiece> pieces;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == kParagraphEnd) {
            current += kNewLine;
        } else if (c == kNewLine) {
            if (isOpener(text, i))
                continue;
            if (!current.isEmpty())
                pieces.push_back({current, false});
            current.clear();
            pieces.push_back({QString(), true});
        } else if (c == kVerticalTab) {
            if (!current.isEmpty())
                pieces.push_back({current, false});
            current.clear();
            pieces.push_back({QString(), true});
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        pieces.push_back({current, false});
    return pieces;
}

int officeLength(const OfficePiece& piece)
{
    return piece.lineBreak ? 1 : static_cast<int>(piece.text.size());
}

} // namespace quillora::impress
