// Drives the engine's text model with a random sequence of Characters,
// ranges by position, Text and format operations on one shape, then saves
// and reopens the deck. Along the way every range must report text
// consistent with the whole; at the end the saved file must open again and
// hold the text the model reported (as the file format stores it: the "\n"
// of a "\r\n" pair is implied by the paragraph break, any other "\n" is a
// line break and reads back as "\v").

#include "deck/Deck.h"
#include "tests/support/DeckBuilder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

using namespace quillora;
using deck::DeckError;
using deck::Presentation;
using deck::TextRange;

namespace {

[[noreturn]] void fail(const char* what, const QString& a = {}, const QString& b = {})
{
    auto shown = [](QString s) {
        for (QChar& c : s)
            if (c.unicode() < 0x20)
                c = QChar(0x2400 + c.unicode()); // control pictures
        return s.toUtf8();
    };
    std::fprintf(stderr, "%s\n  [%s]\n  [%s]\n", what, shown(a).constData(), shown(b).constData());
    std::abort();
}

const QByteArray& baseDeck()
{
    static const QByteArray bytes = [] {
        testing::PackageParts parts = testing::PackageParts::minimalDeck(1);
        parts.set(QStringLiteral("ppt/slides/slide1.xml"),
                  testing::slideXml({{QStringLiteral("Title 1"), QStringLiteral("Heading")},
                                     {QStringLiteral("Rectangle 3"), QStringLiteral("First line\nSecond")}}));
        return parts.zip();
    }();
    return bytes;
}

QString piece(FuzzedDataProvider& input)
{
    static const QString palette[] = {
        QStringLiteral("A"),       QStringLiteral("\u00e9"),       QStringLiteral("\r"),
        QStringLiteral("\n"),      QStringLiteral("\r\n"),         QStringLiteral("\v"),
        QStringLiteral("\t"),      QStringLiteral("\U0001F600"),   QString(QChar(0xD83D)),
        QString(QChar(0xDE00)),    QString(QChar(0x0001)),         QString(QChar(0x000C)),
        QString(QChar(0xFFFE)),    QString(QChar(0xFFFF)),         QStringLiteral("_x0041_"),
        QString(),                 QStringLiteral("<&>\"'"),       QStringLiteral("  - sub"),
        QStringLiteral("\u05E9\u05DC\u05D5\u05DD"),
    };
    if (input.ConsumeBool())
        return palette[input.ConsumeIntegralInRange<size_t>(0, std::size(palette) - 1)];
    // Any UTF-16 code units at all, lone surrogates included.
    QString text;
    const int length = input.ConsumeIntegralInRange<int>(0, 12);
    for (int i = 0; i < length; ++i)
        text += QChar(input.ConsumeIntegral<char16_t>());
    return text;
}

// The shape's text as the saved file keeps it.
QString asStored(const QString& model)
{
    QStringList paragraphs = model.split(QLatin1Char('\r'));
    for (qsizetype k = 1; k < paragraphs.size(); ++k) {
        if (paragraphs[k].startsWith(QLatin1Char('\n')))
            paragraphs[k].remove(0, 1);
    }
    QString stored = paragraphs.join(QLatin1Char('\r'));
    stored.replace(QLatin1Char('\n'), QLatin1Char('\v'));
    return stored;
}

void checkRange(const TextRange& range, const TextRange& whole)
{
    const QString all = whole.text();
    if (whole.length() != all.size())
        fail("the whole range's length differs from its text", all);
    if (range.start() < 1 || range.length() < 0 || range.start() - 1 + range.length() > all.size())
        fail("a range lies outside the text", QString::number(range.start()), QString::number(range.length()));
    if (range.text() != all.mid(range.start() - 1, range.length()))
        fail("a range's text is not that part of the whole", range.text(), all);
}

QString shapeText(Presentation& deck)
{
    return deck.slide(1).shape(QStringLiteral("Rectangle 3")).textRange().text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::unique_ptr<Presentation> deck = Presentation::fromBytes(baseDeck());
    deck::Shape& shape = deck->slide(1).shape(QStringLiteral("Rectangle 3"));
    const TextRange whole = shape.textRange();
    TextRange current = whole;
    bool currentIsWhole = true;

    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const int length = whole.length();
        try {
            switch (input.ConsumeIntegralInRange<int>(0, 8)) {
            case 0:
                current = whole.characters(input.ConsumeIntegralInRange<int>(-1, length + 2),
                                           input.ConsumeIntegralInRange<int>(-2, length + 2));
                currentIsWhole = false;
                break;
            case 1:
                current = current.characters(input.ConsumeIntegralInRange<int>(-1, current.length() + 2),
                                             input.ConsumeIntegralInRange<int>(-2, current.length() + 2));
                currentIsWhole = false;
                break;
            case 2:
                current = whole;
                currentIsWhole = true;
                break;
            case 3: {
                const QString text = piece(input);
                current.setText(text);
                if (!currentIsWhole && current.text() != text)
                    fail("after assignment the range does not hold what was assigned", current.text(), text);
                if (currentIsWhole && current.text() != whole.text())
                    fail("the whole range is no longer the whole text", current.text(), whole.text());
                break;
            }
            case 4:
                current.setBulletVisible(input.ConsumeBool());
                break;
            case 5:
                current.setBulletKind(static_cast<deck::BulletKind>(input.ConsumeIntegralInRange<int>(0, 2)));
                break;
            case 6:
                current.setFontSize(input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(1, 400)
                                                        : input.ConsumeFloatingPoint<double>());
                break;
            case 7:
                checkRange(current, whole);
                break;
            case 8:
                current = shape.textRange(input.ConsumeIntegralInRange<int>(-1, length + 2),
                                          input.ConsumeIntegralInRange<int>(-1, length + 2));
                currentIsWhole = false;
                break;
            }
        } catch (const DeckError& error) {
            if (error.description().trimmed().isEmpty())
                fail("a refusal without a description");
        }
        checkRange(current, whole);
    }

    const QString model = whole.text();
    std::unique_ptr<Presentation> reopened;
    try {
        reopened = Presentation::fromBytes(deck->toBytes());
    } catch (const DeckError& error) {
        fail("the saved deck does not open again", error.description());
    }
    const QString stored = shapeText(*reopened);
    if (stored != asStored(model))
        fail("the reopened text differs from what the model reported", stored, asStored(model));
    if (reopened->slide(1).shape(QStringLiteral("Title 1")).textRange().text() != QStringLiteral("Heading"))
        fail("another shape's text changed");

    // A second round trip changes nothing.
    std::unique_ptr<Presentation> again = Presentation::fromBytes(reopened->toBytes());
    if (shapeText(*again) != stored)
        fail("a second round trip changed the text", shapeText(*again), stored);
    return 0;
}
