// Characters XML cannot hold are stored as _xHHHH_ and come back unchanged.

#include "DeckTestSupport.h"

#include "deck/TextEscaping.h"
#include "deck/Xml.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace quillora::deck {
namespace {

using detail::escapeOoxmlText;
using detail::unescapeOoxmlText;

TEST(Escaping, CharactersXmlCannotHoldBecomeEscapes)
{
    EXPECT_EQ(escapeOoxmlText(QStringLiteral("a") + QChar(0x01) + QStringLiteral("b")), QStringLiteral("a_x0001_b"));
    EXPECT_EQ(escapeOoxmlText(QString(QChar(0x00))), QStringLiteral("_x0000_"));
    EXPECT_EQ(escapeOoxmlText(QString(QChar(0x0C))), QStringLiteral("_x000C_"));
    EXPECT_EQ(escapeOoxmlText(QString(QChar(0x1F))), QStringLiteral("_x001F_"));
    EXPECT_EQ(escapeOoxmlText(QString(QChar(0xFFFE))), QStringLiteral("_xFFFE_"));
    EXPECT_EQ(escapeOoxmlText(QString(QChar(0xFFFF))), QStringLiteral("_xFFFF_"));
    EXPECT_EQ(escapeOoxmlText(QString(QChar(0xD800))), QStringLiteral("_xD800_"));
    EXPECT_EQ(escapeOoxmlText(QStringLiteral("x") + QChar(0xDC00)), QStringLiteral("x_xDC00_"));
}

TEST(Escaping, ValidCharactersStayAsTheyAre)
{
    const QString text = QStringLiteral("Tab\there, caf\u00e9, \u2019quote\u2019, emoji \U0001F600, _x12_ and _xZZZZ_");
    EXPECT_EQ(escapeOoxmlText(text), text);
}

TEST(Escaping, ALiteralEscapeSequenceHasItsUnderscoreEscaped)
{
    EXPECT_EQ(escapeOoxmlText(QStringLiteral("_x0041_")), QStringLiteral("_x005F_x0041_"));
    EXPECT_EQ(unescapeOoxmlText(QStringLiteral("_x005F_x0041_")), QStringLiteral("_x0041_"));
    EXPECT_EQ(unescapeOoxmlText(QStringLiteral("_x0041__x0042_")), QStringLiteral("AB"));
}

TEST(Escaping, EveryCodeUnitRoundTrips)
{
    for (uint u = 0; u <= 0xFFFF; ++u) {
        const QString text = QStringLiteral("a") + QChar(static_cast<char16_t>(u)) + QStringLiteral("_x");
        ASSERT_EQ(unescapeOoxmlText(escapeOoxmlText(text)), text) << "U+" << std::hex << u;
    }
}

TEST(Escaping, RandomMixturesOfEscapeLikeTextRoundTrip)
{
    QRandomGenerator random(4242);
    const QString pieces[] = {QStringLiteral("_x"), QStringLiteral("_"), QStringLiteral("0041"), QStringLiteral("_x00"),
                              QStringLiteral("ab"), QString(QChar(0x01)), QString(QChar(0xD83D)), QStringLiteral("F_")};
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int count = random.bounded(1, 12);
        for (int k = 0; k < count; ++k)
            text += pieces[random.bounded(8)];
        ASSERT_EQ(unescapeOoxmlText(escapeOoxmlText(text)), text) << qPrintable(text);
    }
}

TEST(Escaping, ASavedDeckWithControlCharactersParsesAndReadsBack)
{
    auto deck = testing::openDeck({{testing::textShape(2, QStringLiteral("Body"))}, {}, {}});
    const QString text = QStringLiteral("nul") + QChar(0x00) + QStringLiteral(" bell") + QChar(0x07)
                         + QStringLiteral(" _x0041_ ") + QChar(0xFFFF) + QChar(0xDC01) + QStringLiteral(" end");
    deck->slide(1).shape(1).textRange().setText(text);

    const QByteArray saved = deck->toBytes();
    const QByteArray slide = testing::partOf(saved, QStringLiteral("ppt/slides/slide1.xml"));
    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(slide.constData(), static_cast<size_t>(slide.size())));
    for (char c = 0; c < 0x09; ++c)
        EXPECT_FALSE(slide.contains(c)) << "raw control character " << int(c);
    EXPECT_TRUE(slide.contains("nul_x0000_ bell_x0007_ _x005F_x0041_ _xFFFF__xDC01_ end"));

    auto reopened = Presentation::fromBytes(saved);
    EXPECT_EQ(reopened->slide(1).shape(1).textRange().text(), text);
}

} // namespace
} // namespace quillora::deck
