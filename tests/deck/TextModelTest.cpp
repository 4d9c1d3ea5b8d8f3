// The text model of one shape: positions, Characters, assignment, paragraph
// and character formatting, and the shape text writer's loop run by hand.

#include "DeckTestSupport.h"

#include "deck/Xml.h"

#include <gtest/gtest.h>

namespace quillora::deck {
namespace {

using testing::DeckRecipe;
using testing::openDeck;
using testing::paragraphsOf;
using testing::savedSlide;
using testing::textShape;

// One slide holding one text shape "Body" with the given paragraphs.
struct OneShape {
    explicit OneShape(const QString& paragraphsXml = QStringLiteral("<a:p/>"))
        : deck(openDeck(DeckRecipe{{textShape(2, QStringLiteral("Body"), paragraphsXml)}, {}, {}}))
    {
    }
    TextRange whole() { return deck->slide(1).shape(QStringLiteral("Body")).textRange(); }
    std::vector<pugi::xml_node> saved()
    {
        document = savedSlide(*deck, 1);
        EXPECT_EQ(quillora::testing::textBodyProblems(*document), QStringList());
        return paragraphsOf(*document, QStringLiteral("Body"));
    }
    std::unique_ptr<Presentation> deck;
    std::unique_ptr<pugi::xml_document> document;
};

std::string_view attr(pugi::xml_node node, const char* name)
{
    return node.attribute(name).value();
}

// The texts of the a:r runs of a saved paragraph, "|" between runs.
QString runTexts(pugi::xml_node p)
{
    QStringList texts;
    for (pugi::xml_node node : p.children())
        if (detail::localName(node) == "r")
            texts.append(QString::fromUtf8(detail::child(node, "t").child_value()));
    return texts.join(QLatin1Char('|'));
}

// "buChar", "buNone" or "" for a saved paragraph's explicit bullet.
std::string bulletOf(pugi::xml_node p)
{
    const pugi::xml_node pPr = detail::child(p, "pPr");
    for (const char* name : {"buChar", "buNone", "buAutoNum"})
        if (detail::child(pPr, name))
            return name;
    return {};
}

std::string sizeOfRun(pugi::xml_node p, int run)
{
    int index = 0;
    for (pugi::xml_node node : p.children())
        if (detail::localName(node) == "r" && index++ == run)
            return detail::child(node, "rPr").attribute("sz").value();
    return "no run";
}

// --- reading ----------------------------------------------------------------

TEST(TextModelReading, ParagraphsJoinWithCarriageReturnAndBreaksReadAsVerticalTab)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>ab</a:t></a:r></a:p>"
                                  "<a:p><a:r><a:t>c</a:t></a:r><a:br/><a:r><a:t>d</a:t></a:r></a:p>"
                                  "<a:p/>"));
    EXPECT_EQ(shape.whole().text(), QStringLiteral("ab\rc\vd\r"));
    EXPECT_EQ(shape.whole().length(), 7);
}

TEST(TextModelReading, SpacesOnlyRunsKeepTheirText)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>a</a:t></a:r><a:r><a:t> </a:t></a:r><a:r><a:t>b</a:t></a:r></a:p>"));
    EXPECT_EQ(shape.whole().text(), QStringLiteral("a b"));
}

TEST(TextModelReading, FieldTextCountsAndTheFieldSurvivesAnEdit)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>Page </a:t></a:r>"
                                  "<a:fld id=\"{1}\" type=\"slidenum\"><a:rPr b=\"1\"/><a:t>7</a:t></a:fld></a:p>"));
    EXPECT_EQ(shape.whole().text(), QStringLiteral("Page 7"));
    shape.whole().characters(1, 4).setText(QStringLiteral("Slide"));
    const auto paragraphs = shape.saved();
    const pugi::xml_node field = detail::child(paragraphs[0], "fld");
    ASSERT_TRUE(field);
    EXPECT_EQ(attr(field, "type"), "slidenum");
    EXPECT_EQ(attr(detail::child(field, "rPr"), "b"), "1");
    EXPECT_STREQ(detail::child(field, "t").child_value(), "7");
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("Slide "));
}

// --- positions and Characters -------------------------------------------------

TEST(TextModelPositions, CrLfIntoEmptyShapeCountsThreeAndTheLineFeedOpensTheNextParagraph)
{
    OneShape shape;
    TextRange whole = shape.whole();
    EXPECT_EQ(whole.length(), 0);
    whole.setText(QStringLiteral("A\r\n"));
    EXPECT_EQ(whole.text(), QStringLiteral("A\r\n"));
    EXPECT_EQ(whole.length(), 3);
    EXPECT_EQ(whole.characters(3, -1).text(), QStringLiteral("\n"));

    const auto paragraphs = shape.saved();
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("A"));
    EXPECT_EQ(runTexts(paragraphs[1]), QString()); // the "\n" is not written
    EXPECT_FALSE(detail::child(paragraphs[1], "br"));
}

TEST(TextModelPositions, CharactersFollowsPowerPointsRules)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>Hello</a:t></a:r></a:p>"));
    const TextRange whole = shape.whole();
    EXPECT_EQ(whole.characters(2, 3).text(), QStringLiteral("ell"));
    EXPECT_EQ(whole.characters(2, -1).text(), QStringLiteral("e"));
    // Start past the end: the last character.
    const TextRange past = whole.characters(9, -1);
    EXPECT_EQ(past.start(), 5);
    EXPECT_EQ(past.text(), QStringLiteral("o"));
    // Lengths are clipped at the end.
    EXPECT_EQ(whole.characters(4, 10).text(), QStringLiteral("lo"));
    EXPECT_EQ(whole.characters(4, 0).length(), 0);
    // Relative to the range it is taken from.
    EXPECT_EQ(whole.characters(2, 3).characters(2, 1).text(), QStringLiteral("l"));
    EXPECT_EQ(whole.characters(2, 3).characters(2, 1).start(), 3);
}

TEST(TextModelPositions, CharactersOnEmptyTextIsTheEmptyRangeAtTheStart)
{
    OneShape shape;
    const TextRange range = shape.whole().characters(5, -1);
    EXPECT_EQ(range.start(), 1);
    EXPECT_EQ(range.length(), 0);
    EXPECT_EQ(range.text(), QString());
}

TEST(TextModelPositions, BadArgumentsAreOutOfRange)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>Hello</a:t></a:r></a:p>"));
    for (const auto& [start, length] : {std::pair{0, 1}, std::pair{-3, -1}, std::pair{1, -2}}) {
        try {
            shape.whole().characters(start, length);
            ADD_FAILURE() << "no error for " << start << ", " << length;
        } catch (const DeckError& error) {
            EXPECT_STREQ(error.what(), kOutOfRangeDescription);
            EXPECT_EQ(error.kind(), DeckError::Kind::OutOfRange);
        }
    }
    EXPECT_THROW(shape.whole().setFontSize(0.0), DeckError);
    // By position: a start at most one past the end, a length of at least 0.
    deck::Shape& body = shape.deck->slide(1).shape(QStringLiteral("Body"));
    for (const auto& [start, length] : {std::pair{0, 1}, std::pair{7, 0}, std::pair{1, -1}})
        EXPECT_THROW(body.textRange(start, length), DeckError) << start << ", " << length;
    TextRange end = body.textRange(6, 4);
    end.setText(QStringLiteral("!"));
    EXPECT_EQ(end.text(), QStringLiteral("!"));
    EXPECT_EQ(shape.whole().text(), QStringLiteral("Hello!"));
}

// --- assignment -----------------------------------------------------------------

TEST(TextModelAssignment, WholeRangeStaysWholeAndSubRangeCoversTheInsertedText)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>abcdef</a:t></a:r></a:p>"));
    TextRange whole = shape.whole();
    TextRange middle = whole.characters(3, 2);
    middle.setText(QStringLiteral("XYZ"));
    EXPECT_EQ(middle.text(), QStringLiteral("XYZ"));
    EXPECT_EQ(middle.start(), 3);
    EXPECT_EQ(whole.text(), QStringLiteral("abXYZef"));
    whole.setText(QStringLiteral("new"));
    EXPECT_EQ(whole.text(), QStringLiteral("new"));
    EXPECT_EQ(whole.start(), 1);
}

TEST(TextModelAssignment, LoneLineFeedAndVerticalTabAreLineBreaks)
{
    OneShape shape;
    shape.whole().setText(QStringLiteral("x\vy\nz"));
    EXPECT_EQ(shape.whole().text(), QStringLiteral("x\vy\nz"));
    const auto paragraphs = shape.saved();
    ASSERT_EQ(paragraphs.size(), 1u);
    int breaks = 0;
    for (pugi::xml_node node : paragraphs[0].children())
        breaks += detail::localName(node) == "br";
    EXPECT_EQ(breaks, 2);
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("x|y|z"));
}

TEST(TextModelAssignment, SavedAndReopenedTextHasOnlyTheParagraphEnds)
{
    OneShape shape;
    shape.whole().setText(QStringLiteral("one\r\ntwo\nthree"));
    auto reopened = Presentation::fromBytes(shape.deck->toBytes());
    EXPECT_EQ(reopened->slide(1).shape(1).textRange().text(), QStringLiteral("one\rtwo\vthree"));
}

TEST(TextModelAssignment, InsertedTextTakesTheFormatOfTheFirstReplacedCharacter)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:rPr sz=\"1000\"/><a:t>ab</a:t></a:r>"
                                  "<a:r><a:rPr sz=\"2000\"/><a:t>cd</a:t></a:r></a:p>"));
    shape.whole().characters(2, 2).setText(QStringLiteral("XY")); // replaces "bc"
    EXPECT_EQ(shape.whole().text(), QStringLiteral("aXYd"));
    const auto paragraphs = shape.saved();
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("aXY|d"));
    EXPECT_EQ(sizeOfRun(paragraphs[0], 0), "1000");
    EXPECT_EQ(sizeOfRun(paragraphs[0], 1), "2000");
}

TEST(TextModelAssignment, InsertionAtAnEmptyRangeTakesTheFormatOfTheCharacterBefore)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:rPr sz=\"1000\"/><a:t>ab</a:t></a:r>"
                                  "<a:r><a:rPr sz=\"2000\"/><a:t>cd</a:t></a:r></a:p>"));
    shape.whole().characters(3, 0).setText(QStringLiteral("__"));
    const auto paragraphs = shape.saved();
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("ab__|cd"));
    EXPECT_EQ(sizeOfRun(paragraphs[0], 0), "1000");
}

TEST(TextModelAssignment, InsertionIntoEmptyTextTakesTheParagraphEndFormat)
{
    OneShape shape(QStringLiteral("<a:p><a:endParaRPr lang=\"en-US\" sz=\"3000\"/></a:p>"));
    shape.whole().setText(QStringLiteral("hi"));
    const auto paragraphs = shape.saved();
    EXPECT_EQ(sizeOfRun(paragraphs[0], 0), "3000");
    EXPECT_EQ(attr(detail::child(paragraphs[0], "endParaRPr"), "sz"), "3000");

    // At the start of the text, the first paragraph's end format.
    OneShape three(QStringLiteral("<a:p><a:r><a:rPr sz=\"500\"/><a:t>x</a:t></a:r><a:endParaRPr sz=\"3000\"/></a:p>"
                                  "<a:p><a:endParaRPr sz=\"2000\"/></a:p><a:p><a:endParaRPr sz=\"1000\"/></a:p>"));
    three.whole().characters(1, 0).setText(QStringLiteral("hi"));
    EXPECT_EQ(runTexts(three.saved()[0]), QStringLiteral("hi|x"));
    EXPECT_EQ(sizeOfRun(three.saved()[0], 0), "3000");
}

TEST(TextModelAssignment, NewParagraphsTakeTheFormattingOfTheParagraphWhereInsertionBegan)
{
    OneShape shape(QStringLiteral("<a:p><a:pPr algn=\"ctr\"/><a:r><a:t>ab</a:t></a:r></a:p>"
                                  "<a:p><a:pPr algn=\"r\"/><a:r><a:t>cd</a:t></a:r></a:p>"));
    shape.whole().characters(2, 1).setText(QStringLiteral("1\r\n2\r3"));
    EXPECT_EQ(shape.whole().text(), QStringLiteral("a1\r\n2\r3\rcd"));
    const auto paragraphs = shape.saved();
    ASSERT_EQ(paragraphs.size(), 4u);
    EXPECT_EQ(attr(detail::child(paragraphs[0], "pPr"), "algn"), "ctr");
    EXPECT_EQ(attr(detail::child(paragraphs[1], "pPr"), "algn"), "ctr");
    EXPECT_EQ(attr(detail::child(paragraphs[2], "pPr"), "algn"), "ctr");
    EXPECT_EQ(attr(detail::child(paragraphs[3], "pPr"), "algn"), "r");
    EXPECT_EQ(runTexts(paragraphs[2]), QStringLiteral("3"));
}

TEST(TextModelAssignment, DeletingAParagraphEndJoinsTheParagraphs)
{
    OneShape shape(QStringLiteral("<a:p><a:pPr algn=\"ctr\"/><a:r><a:t>ab</a:t></a:r></a:p>"
                                  "<a:p><a:pPr algn=\"r\"/><a:r><a:t>cd</a:t></a:r>"
                                  "<x:keep xmlns:x=\"urn:example\"/></a:p>"));
    shape.whole().characters(2, 2).setText(QString()); // "b\r"
    EXPECT_EQ(shape.whole().text(), QStringLiteral("acd"));
    const auto paragraphs = shape.saved();
    ASSERT_EQ(paragraphs.size(), 1u);
    EXPECT_EQ(attr(detail::child(paragraphs[0], "pPr"), "algn"), "ctr");
    EXPECT_TRUE(detail::child(paragraphs[0], "keep")) << "unknown elements of a joined paragraph are kept";
}

// --- formatting -------------------------------------------------------------------

TEST(TextModelFormatting, BulletAppliesToEveryParagraphTheRangeTouches)
{
    // "e\rt" touches the first two; "two\r" ends with the second's end.
    for (const auto& [start, length, bullets] : {std::tuple{3, 3, "buNone buNone "}, std::tuple{5, 4, " buNone "}}) {
        OneShape shape(QStringLiteral("<a:p><a:r><a:t>one</a:t></a:r></a:p><a:p><a:r><a:t>two</a:t></a:r></a:p>"
                                      "<a:p><a:r><a:t>three</a:t></a:r></a:p>"));
        shape.whole().characters(start, length).setBulletVisible(false);
        const auto paragraphs = shape.saved();
        EXPECT_EQ(bulletOf(paragraphs[0]) + ' ' + bulletOf(paragraphs[1]) + ' ' + bulletOf(paragraphs[2]), bullets);
    }
}

TEST(TextModelFormatting, EmptyRangeFormatsTheParagraphItSitsIn)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>one</a:t></a:r></a:p><a:p><a:r><a:t>two</a:t></a:r></a:p>"));
    shape.whole().characters(5, 0).setBulletVisible(true);
    const auto paragraphs = shape.saved();
    EXPECT_EQ(bulletOf(paragraphs[0]), "");
    EXPECT_EQ(bulletOf(paragraphs[1]), "buChar");
    EXPECT_EQ(attr(detail::child(detail::child(paragraphs[1], "pPr"), "buChar"), "char"), "\u2022");
}

TEST(TextModelFormatting, TheParagraphEndBelongsToItsParagraphAndTheLineFeedToTheNext)
{
    OneShape shape;
    shape.whole().setText(QStringLiteral("ab\r\ncd"));
    shape.whole().characters(3, 1).setBulletVisible(false); // "\r"
    shape.whole().characters(4, 1).setBulletKind(BulletKind::Character); // "\n"
    const auto paragraphs = shape.saved();
    EXPECT_EQ(bulletOf(paragraphs[0]), "buNone");
    EXPECT_EQ(bulletOf(paragraphs[1]), "buChar");
}

TEST(TextModelFormatting, BulletElementsReplaceEachOtherInSchemaOrder)
{
    OneShape shape(QStringLiteral("<a:p><a:pPr><a:lnSpc><a:spcPct val=\"90000\"/></a:lnSpc><a:buNone/>"
                                  "<a:tabLst/><a:defRPr/></a:pPr><a:r><a:t>x</a:t></a:r></a:p>"));
    shape.whole().setBulletVisible(true);
    auto paragraphs = shape.saved();
    QStringList order;
    for (pugi::xml_node node : detail::child(paragraphs[0], "pPr").children())
        order.append(QString::fromUtf8(node.name()));
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("a:lnSpc a:buChar a:tabLst a:defRPr"));

    shape.whole().setBulletVisible(false);
    paragraphs = shape.saved();
    order.clear();
    for (pugi::xml_node node : detail::child(paragraphs[0], "pPr").children())
        order.append(QString::fromUtf8(node.name()));
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("a:lnSpc a:buNone a:tabLst a:defRPr"));
}

TEST(TextModelFormatting, VisibleKeepsAnExistingBulletAndTypeOneMakesItACharacter)
{
    OneShape shape(QStringLiteral("<a:p><a:pPr><a:buAutoNum type=\"arabicPeriod\"/></a:pPr><a:r><a:t>x</a:t></a:r></a:p>"));
    shape.whole().setBulletVisible(true);
    EXPECT_EQ(bulletOf(shape.saved()[0]), "buAutoNum");
    shape.whole().setBulletKind(BulletKind::Character);
    EXPECT_EQ(bulletOf(shape.saved()[0]), "buChar");
    shape.whole().setBulletKind(BulletKind::Number);
    EXPECT_EQ(bulletOf(shape.saved()[0]), "buAutoNum");
}

TEST(TextModelFormatting, FontSizeSplitsRunsAndKeepsOtherAttributes)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:rPr lang=\"en-US\" b=\"1\"/><a:t>abcdef</a:t></a:r></a:p>"));
    shape.whole().characters(2, 3).setFontSize(24.0);
    const auto paragraphs = shape.saved();
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("a|bcd|ef"));
    EXPECT_EQ(sizeOfRun(paragraphs[0], 0), "");
    EXPECT_EQ(sizeOfRun(paragraphs[0], 1), "2400");
    EXPECT_EQ(sizeOfRun(paragraphs[0], 2), "");
    int run = 0;
    for (pugi::xml_node node : paragraphs[0].children())
        if (detail::localName(node) == "r")
            EXPECT_EQ(attr(detail::child(node, "rPr"), "b"), "1") << "run " << run++;
}

TEST(TextModelFormatting, FractionalSizesAreStoredInHundredths)
{
    OneShape shape(QStringLiteral("<a:p><a:r><a:t>abc</a:t></a:r></a:p>"));
    shape.whole().setFontSize(10.5);
    EXPECT_EQ(sizeOfRun(shape.saved()[0], 0), "1050");
}

// --- write positions and sized ranges, line after line ------------------------
//
// Range calls of the kind a text writer makes, by hand: clear the range, then
// for each line set the bullet on the one-character range at the write
// position, write the line and "\r\n" there ("\t" first for "-" lines), size
// as many characters from the write position as the line has, and move to the
// end of the text. This pins down what the engine does with each call; the
// program's own writer (builder's updateText) is checked in the builder
// engine tests, on the real template.
void appendLinesByRangeCalls(TextRange whole, const QStringList& lines)
{
    whole.setText(QString());
    int position = 1;
    for (const QString& line : lines) {
        qsizetype first = 0;
        while (first < line.size() && line[first] == QLatin1Char(' '))
            ++first;
        const bool dashLine = first < line.size() && line[first] == QLatin1Char('-');
        const int lineLength = static_cast<int>(line.size());
        if (dashLine) {
            whole.characters(position, -1).setBulletVisible(false);
            whole.characters(position, -1).setText(QLatin1Char('\t') + line + QLatin1String("\r\n"));
            whole.characters(position, lineLength).setFontSize(22.0);
        } else {
            whole.characters(position, -1).setBulletVisible(true);
            whole.characters(position, -1).setBulletKind(BulletKind::Character);
            whole.characters(position, -1).setText(line + QLatin1String("\r\n"));
            whole.characters(position, lineLength).setFontSize(24.0);
        }
        position = static_cast<int>(whole.text().size());
    }
}


TEST(TextModelRangeCalls, HeadingSubLineHeadingAndEmptyLastLine)
{
    OneShape shape(QStringLiteral("<a:p><a:pPr marL=\"342900\"/><a:r><a:rPr lang=\"en-US\"/><a:t>Template hint</a:t></a:r>"
                                  "<a:endParaRPr lang=\"en-US\"/></a:p>"));
    TextRange whole = shape.whole();

    // Written step by step to check each write position the loop reads back.
    whole.setText(QString());
    EXPECT_EQ(whole.length(), 0);
    appendLinesByRangeCalls(whole, {QStringLiteral("Heading")});
    EXPECT_EQ(whole.length(), 9);
    appendLinesByRangeCalls(whole, {QStringLiteral("Heading"), QStringLiteral("- sub")});
    EXPECT_EQ(whole.text(), QStringLiteral("Heading\r\t- sub\r\n"));
    EXPECT_EQ(whole.length(), 16);

    appendLinesByRangeCalls(whole, {QStringLiteral("Heading"), QStringLiteral("- sub"), QStringLiteral("Heading 2"), QString()});
    EXPECT_EQ(whole.text(), QStringLiteral("Heading\r\t- sub\rHeading 2\r\r\n"));
    EXPECT_EQ(whole.length(), 27);

    const auto paragraphs = shape.saved();
    ASSERT_EQ(paragraphs.size(), 5u);
    // Heading: bulleted, 24 pt on exactly its characters.
    EXPECT_EQ(bulletOf(paragraphs[0]), "buChar");
    EXPECT_EQ(runTexts(paragraphs[0]), QStringLiteral("Heading"));
    EXPECT_EQ(sizeOfRun(paragraphs[0], 0), "2400");
    EXPECT_EQ(attr(detail::child(paragraphs[0], "pPr"), "marL"), "342900");
    // Sub line: unbulleted, led by a tab; 22 pt covers as many characters as
    // the line has, counted from the tab, so its last character keeps the
    // inherited size.
    EXPECT_EQ(bulletOf(paragraphs[1]), "buNone");
    EXPECT_EQ(runTexts(paragraphs[1]), QStringLiteral("\t- su|b"));
    EXPECT_EQ(sizeOfRun(paragraphs[1], 0), "2200");
    EXPECT_EQ(sizeOfRun(paragraphs[1], 1), "");
    // Second heading.
    EXPECT_EQ(bulletOf(paragraphs[2]), "buChar");
    EXPECT_EQ(runTexts(paragraphs[2]), QStringLiteral("Heading 2"));
    EXPECT_EQ(sizeOfRun(paragraphs[2], 0), "2400");
    // The empty last line is an empty bulleted paragraph, then the paragraph
    // its "\r\n" opened.
    EXPECT_EQ(bulletOf(paragraphs[3]), "buChar");
    EXPECT_EQ(runTexts(paragraphs[3]), QString());
    EXPECT_EQ(bulletOf(paragraphs[4]), "buChar");
    EXPECT_EQ(runTexts(paragraphs[4]), QString());
    for (const pugi::xml_node& p : paragraphs)
        EXPECT_FALSE(detail::child(p, "br")) << "no line breaks are written";
}

TEST(TextModelRangeCalls, LeadingSpacesOfADashLineAreWrittenToo)
{
    OneShape shape;
    appendLinesByRangeCalls(shape.whole(), {QStringLiteral("   -x")});
    EXPECT_EQ(shape.whole().text(), QStringLiteral("\t   -x\r\n"));
    EXPECT_EQ(bulletOf(shape.saved()[0]), "buNone");
}

TEST(TextModelRangeCalls, WritingTwiceLeavesOnlyTheSecondStatement)
{
    OneShape shape;
    appendLinesByRangeCalls(shape.whole(), {QStringLiteral("first"), QStringLiteral("- one")});
    appendLinesByRangeCalls(shape.whole(), {QStringLiteral("second")});
    EXPECT_EQ(shape.whole().text(), QStringLiteral("second\r\n"));
    EXPECT_EQ(shape.saved().size(), 2u);
}

} // namespace
} // namespace quillora::deck
