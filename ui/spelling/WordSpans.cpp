#include "ui/spelling/WordSpans.h"

namespace quillora {
namespace {

constexpr QChar kTypographicApostrophe(0x2019);

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == kTypographicApostrophe;
}

// A dot with a letter on each side, as in a host name ("tarnvale.example");
// also passes over "e.g.", which is no word to check either.
bool hasInnerDot(QStringView chunk)
{
    for (qsizetype i = 1; i + 1 < chunk.size(); ++i) {
        if (chunk[i] == QLatin1Char('.') && chunk[i - 1].isLetter() && chunk[i + 1].isLetter())
            return true;
    }
    return false;
}

// Addresses are whole whitespace-separated chunks: "mail@example.com",
// "https://example.com/a-b", "www.example.com", "example.com".
bool isAddress(QStringView chunk)
{
    return chunk.contains(QLatin1Char('@')) || chunk.contains(QLatin1String("://")) || hasInnerDot(chunk);
}

bool isLeftAlone(QStringView word)
{
    bool hasLower = false;
    int letters = 0;
    for (QChar c : word) {
        if (c.isDigit())
            return true;
        if (c.isLetter()) {
            ++letters;
            hasLower = hasLower || !c.isUpper();
        }
    }
    const bool abbreviation = letters >= 2 && !hasLower;
    return abbreviation;
}

void collectWords(const QString& text, qsizetype from, qsizetype to, QList<WordSpan>& words)
{
    qsizetype i = from;
    while (i < to) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        // An apostrophe between two word characters belongs to the word ("plan's").
        while (i < to && (isWordChar(text[i]) || (isApostrophe(text[i]) && i + 1 < to && isWordChar(text[i + 1]))))
            ++i;
        const QStringView word = QStringView(text).mid(start, i - start);
        if (!isLeftAlone(word)) {
            QString plain = word.toString();
            plain.replace(kTypographicApostrophe, QLatin1Char('\''));
            words.append({start, i - start, plain});
        }
    }
}

} // namespace

QList<WordSpan> checkableWords(const QString& paragraph)
{
    QList<WordSpan> words;
    qsizetype i = 0;
    const qsizetype size = paragraph.size();
    while (i < size) {
        while (i < size && paragraph[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < size && !paragraph[i].isSpace())
            ++i;
        if (i > start && !isAddress(QStringView(paragraph).mid(start, i - start)))
            collectWords(paragraph, start, i, words);
    }
    return words;
}

std::optional<WordSpan> checkableWordAt(const QString& paragraph, qsizetype position)
{
    for (const WordSpan& span : checkableWords(paragraph)) {
        if (position >= span.start && position <= span.start + span.length)
            return span;
    }
    return std::nullopt;
}

} // namespace quillora
