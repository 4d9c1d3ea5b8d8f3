// The Impress plugin's text model: positions in the automation string
// against Impress's positions, and what an inserted text becomes.

#include "impress/ShapeText.h"
#include "tests/builder/BuilderTestSupport.h"

#include <gtest/gtest.h>

using namespace quillora::impress;

namespace {

ShapeText written(const QStringList& pieces)
{
    ShapeText text = ShapeText::fromParagraphs({QString()});
    for (const QString& piece : pieces)
        text.replace(text.length() > 0 ? text.length() - 1 : 0, text.length() > 0 ? 1 : 0, piece);
    return text;
}

} // namespace

TEST(ShapeText, TheOpenerOfAParagraphTakesNoPlaceInImpress)
{
    // What the shape text writer leaves: each line replaces the "\n" that
    // opened the paragraph before it.
    const ShapeText text = written({QStringLiteral("Ab\r\n"), QStringLiteral("Cd\r\n")});
    EXPECT_EQ(text.text(), QStringLiteral("Ab\rCd\r\n"));
    EXPECT_EQ(text.officePosition(3), 3);
    EXPECT_EQ(text.officePosition(6), 6);
    EXPECT_EQ(text.officePosition(7), 6); // the last opener takes no place
    EXPECT_EQ(text.paragraphAt(2), 0);
    EXPECT_EQ(text.paragraphAt(3), 1);
    EXPECT_EQ(text.paragraphAt(6), 2); // the opener belongs to the paragraph it opens
    EXPECT_EQ(text.paragraphStart(1), 3);
    EXPECT_EQ(text.paragraphStart(2), 6);
}

TEST(ShapeText, ReadParagraphsJoinWithCarriageReturnsAndLineBreaksReadAsVerticalTabs)
{
    const ShapeText text = ShapeText::fromParagraphs({QStringLiteral("one"), QStringLiteral("two\nlines"), QString()});
    EXPECT_EQ(text.text(), QStringLiteral("one\rtwo\vlines\r"));
    EXPECT_EQ(text.officePosition(text.length()), text.length()); // no openers: one to one
    EXPECT_EQ(text.paragraphStart(2), text.length());
}

TEST(ShapeText, InsertedTextSplitsAtLineBreaksAndKeepsParagraphBreaksAsNewLines)
{
    const std::vector<OfficePiece> pieces = officePieces(QStringLiteral("a\vb\r\nc\rd\ne\r\n"));
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[0].text, QStringLiteral("a"));
    EXPECT_TRUE(pieces[1].lineBreak);
    EXPECT_EQ(pieces[2].text, QStringLiteral("b\nc\nd"));
    EXPECT_TRUE(pieces[3].lineBreak); // a lone "\n" is a line break
    EXPECT_EQ(pieces[4].text, QStringLiteral("e\n"));
    int total = 0;
    for (const OfficePiece& piece : pieces)
        total += officeLength(piece);
    // Impress's length of the inserted text is the model length less its openers.
    ShapeText model = ShapeText::fromParagraphs({QString()});
    model.replace(0, 0, QStringLiteral("a\vb\r\nc\rd\ne\r\n"));
    EXPECT_EQ(total, model.officePosition(model.length()));
    EXPECT_TRUE(officePieces(QString()).empty());
}
