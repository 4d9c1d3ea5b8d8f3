// What a shape's text inherits, read through the engine: each row is a slide
// shape (over one master, layout and theme of the test's own) and the
// property it must come out with, so every level of inheritance is seen to
// win where it should and to yield where it should.

#include "deck/Deck.h"
#include "layout/ShapeText.h"
#include "tests/support/DeckBuilder.h"

#include <gtest/gtest.h>


namespace quillora::layout {
namespace {

using testing::PackageParts;

// Master: a title and a body placeholder with boxes, insets and autofit;
// title, body and other styles. Layout: title and a body placeholder (idx 1)
// with a box of its own and a list style; a second body (idx 2) without one.
const QString kMasterShapes = QStringLiteral(
    "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"T\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"title\"/></p:nvPr></p:nvSpPr>"
    "<p:spPr><a:xfrm><a:off x=\"127000\" y=\"127000\"/><a:ext cx=\"1270000\" cy=\"254000\"/></a:xfrm></p:spPr>"
    "<p:txBody><a:bodyPr anchor=\"b\"><a:normAutofit/></a:bodyPr><a:lstStyle/><a:p/></p:txBody></p:sp>"
    "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"B\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"body\" idx=\"1\"/></p:nvPr></p:nvSpPr>"
    "<p:spPr><a:xfrm><a:off x=\"254000\" y=\"508000\"/><a:ext cx=\"2540000\" cy=\"1270000\"/></a:xfrm></p:spPr>"
    "<p:txBody><a:bodyPr lIns=\"127000\" tIns=\"63500\" wrap=\"square\"><a:normAutofit/></a:bodyPr>"
    "<a:lstStyle><a:lvl1pPr algn=\"r\"/></a:lstStyle><a:p/></p:txBody></p:sp>");
const QString kTextStyles = QStringLiteral(
    "<p:titleStyle><a:lvl1pPr><a:defRPr sz=\"4400\"><a:latin typeface=\"+mj-lt\"/></a:defRPr></a:lvl1pPr></p:titleStyle>"
    "<p:bodyStyle><a:lvl1pPr marL=\"254000\" indent=\"-127000\"><a:lnSpc><a:spcPct val=\"90000\"/></a:lnSpc>"
    "<a:spcBef><a:spcPts val=\"1000\"/></a:spcBef><a:buChar char=\"o\"/><a:defRPr sz=\"2800\"><a:latin typeface=\"+mn-lt\"/>"
    "</a:defRPr></a:lvl1pPr><a:lvl2pPr marL=\"508000\"><a:spcBef><a:spcPct val=\"50000\"/></a:spcBef>"
    "<a:buAutoNum type=\"alphaLcParenR\" startAt=\"3\"/><a:defRPr sz=\"2000\"/></a:lvl2pPr></p:bodyStyle>"
    "<p:otherStyle><a:lvl1pPr marL=\"12700\"><a:defRPr sz=\"1400\"/></a:lvl1pPr></p:otherStyle>");
const QString kLayoutShapes = QStringLiteral(
    "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"LT\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"title\"/></p:nvPr></p:nvSpPr>"
    "<p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/><a:p/></p:txBody></p:sp>"
    "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"LB\"/><p:cNvSpPr/><p:nvPr><p:ph idx=\"1\"/></p:nvPr></p:nvSpPr>"
    "<p:spPr><a:xfrm><a:off x=\"381000\" y=\"635000\"/><a:ext cx=\"1905000\" cy=\"1016000\"/></a:xfrm></p:spPr>"
    "<p:txBody><a:bodyPr tIns=\"0\" anchor=\"ctr\"/><a:lstStyle><a:lvl1pPr marL=\"381000\"/></a:lstStyle><a:p/></p:txBody></p:sp>"
    "<p:sp><p:nvSpPr><p:cNvPr id=\"4\" name=\"LB2\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"body\" idx=\"2\"/></p:nvPr></p:nvSpPr>"
    "<p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/><a:p/></p:txBody></p:sp>");

QString shape(const QString& placeholder, const QString& spPr, const QString& bodyPr, const QString& lstStyle,
              const QString& paragraphs)
{
    return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"9\" name=\"S\"/><p:cNvSpPr/><p:nvPr>%1</p:nvPr></p:nvSpPr>"
                          "<p:spPr>%2</p:spPr><p:txBody><a:bodyPr%3</a:bodyPr><a:lstStyle>%4</a:lstStyle>%5</p:txBody></p:sp>")
        .arg(placeholder, spPr, bodyPr.isEmpty() ? QStringLiteral(">") : bodyPr, lstStyle, paragraphs);
}

const QString kBody = QStringLiteral("<p:ph idx=\"1\"/>");
const QString kText = QStringLiteral("<a:p><a:r><a:rPr lang=\"en-US\"/><a:t>Text</a:t></a:r></a:p>");

QString rect(const QRectF& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

ShapeText readFirstShape(const QString& shapeXml)
{
    testing::DeckRecipe recipe;
    recipe.slides << shapeXml;
    PackageParts parts = PackageParts::fromZip(testing::makeDeck(recipe));
    parts.set(QStringLiteral("ppt/slideMasters/slideMaster1.xml"), testing::masterXml(kMasterShapes, kTextStyles));
    parts.set(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"), testing::layoutXml(kLayoutShapes));
    parts.set(QStringLiteral("ppt/theme/theme1.xml"), testing::themeXml(QStringLiteral("Cambria"), QStringLiteral("Calibri")));
    const auto deck = deck::Presentation::fromBytes(parts.zip());
    return readShapeText(deck->slide(1).shape(1));
}

// What the layout takes from a shape, one "name=value" per property: the
// frame, the first paragraph's style and every run.
QStringList describe(const ShapeText& t)
{
    const QMarginsF m = t.frame.insets;
    const ParagraphStyle& s = t.paragraphs.at(0).style;
    QStringList facts{QStringLiteral("box=") + rect(t.frame.box),
                      QStringLiteral("insets=%1 %2 %3 %4").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom()),
                      QStringLiteral("autofit=%1").arg(int(t.frame.autofit)), QStringLiteral("anchor=%1").arg(int(t.frame.anchor)),
                      QStringLiteral("stored=%1/%2").arg(t.frame.storedScale.fontScale).arg(t.frame.storedScale.lineSpacingReduction),
                      QStringLiteral("level=%1").arg(t.paragraphs[0].level), QStringLiteral("margin=%1").arg(s.marginLeft),
                      QStringLiteral("indent=%1").arg(s.indent), QStringLiteral("align=%1").arg(int(s.alignment)),
                      QStringLiteral("spacing=%1:%2").arg(int(s.lineSpacing.unit)).arg(s.lineSpacing.value),
                      QStringLiteral("before=%1:%2").arg(int(s.spaceBefore.unit)).arg(s.spaceBefore.value),
                      QStringLiteral("bullet=%1 from %2").arg(s.bullet.character).arg(s.bullet.startAt),
                      QStringLiteral("end=%1").arg(t.paragraphs[0].endStyle.size)};
    for (const layout::Run& run : t.paragraphs[0].runs)
        facts << QStringLiteral("run=%1:%2:%3:%4").arg(run.text, run.style.typeface).arg(run.style.size).arg(run.style.bold);
    return facts;
}

TEST(StyleInheritance, EachPropertyComesFromTheNearestLevelThatSaysIt)
{
    const QString ownBox = QStringLiteral("<a:xfrm><a:off x=\"12700\" y=\"25400\"/><a:ext cx=\"127000\" cy=\"63500\"/></a:xfrm>");
    const QString title = QStringLiteral("<p:ph type=\"title\"/>");
    const QString second = QStringLiteral("<a:p><a:pPr lvl=\"1\"/><a:r><a:t>x</a:t></a:r></a:p>");
    const QString runs = QStringLiteral("<a:p><a:r><a:t>a</a:t></a:r><a:r><a:rPr sz=\"1100\" b=\"1\"/><a:t>b</a:t></a:r>"
                                        "<a:br/><a:r><a:t>c</a:t></a:r></a:p>");
    const QString own = QStringLiteral("<a:p><a:pPr algn=\"ctr\"><a:lnSpc><a:spcPts val=\"3000\"/></a:lnSpc></a:pPr>"
                                       "<a:r><a:t>x</a:t></a:r></a:p>");
    // What each row's shape is, and the properties it must come out with.
    const std::vector<std::pair<QString, QStringList>> rows{
        // Layout placeholder with the same index: its box and list style; the
        // master's insets, autofit, body style and placeholder's alignment;
        // the layout's top inset and anchor; DrawingML's bottom inset.
        {shape(kBody, {}, {}, {}, kText),
         {"box=30,50 150x80", "insets=10 0 7.2 3.6", "autofit=1", "anchor=1", "margin=30", "indent=-10", "align=2",
          "spacing=0:0.9", "before=1:10", "bullet=o from 1", "run=Text:Calibri:28:0"}},
        // The master's box when the layout's placeholder has none.
        {shape(QStringLiteral("<p:ph type=\"body\" idx=\"2\"/>"), {}, {}, {}, kText), {"box=20,40 200x100"}},
        // The shape's own box, insets and autofit win; a stored scale is read.
        {shape(kBody, ownBox, QStringLiteral(" rIns=\"25400\"><a:normAutofit fontScale=\"62500\" lnSpcReduction=\"20000\"/>"), {}, kText),
         {"box=1,2 10x5", "insets=10 0 2 3.6", "stored=62500/20000"}},
        {shape(kBody, {}, QStringLiteral("><a:spAutoFit/>"), {}, kText), {"autofit=2", "stored=100000/0"}},
        // A title: the master title's box, the title style in the heading font.
        {shape(title, {}, {}, {}, kText), {"box=10,10 100x20", "anchor=2", "run=Text:Cambria:44:0"}},
        // The shape's list style and the paragraph's own properties win.
        {shape(kBody, {}, {}, QStringLiteral("<a:lvl1pPr marL=\"63500\" indent=\"0\"/>"), own),
         {"margin=5", "indent=0", "align=1", "spacing=1:30"}},
        // A second-level paragraph takes the second level.
        {shape(kBody, {}, {}, {}, second), {"level=1", "margin=40", "before=0:0.5", "bullet=alphaLcParenR from 3"}},
        // Runs in the body font at the body style's size unless they say; a line break joins the run after it.
        {shape(kBody, {}, {}, {}, runs), {"run=a:Calibri:28:0", "run=b:Calibri:11:1", "run=\u2028c:Calibri:28:0"}},
        {shape(kBody, {}, {}, {}, QStringLiteral("<a:p><a:endParaRPr sz=\"1200\"/></a:p>")), {"end=12"}},
        // No placeholder: the other style, DrawingML's insets, no autofit.
        {shape({}, ownBox, {}, {}, kText), {"margin=1", "run=Text::14:0", "insets=7.2 3.6 7.2 3.6", "autofit=0"}},
    };
    for (const auto& [xml, expected] : rows) {
        const QStringList facts = describe(readFirstShape(xml));
        for (const QString& fact : expected)
            EXPECT_TRUE(facts.contains(fact)) << qPrintable(fact) << " in " << qPrintable(facts.join(QLatin1Char(' ')));
    }
}

TEST(StyleInheritance, TheShippedTemplatesBodyComesFromItsMaster)
{
    // Slide 3's statement shape: a placeholder with idx 1 and nothing of its own.
    const auto deck = deck::Presentation::open(QStringLiteral(QUILLORA_BIN_DIR "/marketing_plan.ppt"));
    const ShapeText text = readShapeText(deck->slide(3).shape(QStringLiteral("Rectangle 3")));
    EXPECT_EQ(rect(text.frame.box), QStringLiteral("48,136.8 864x360"));
    EXPECT_EQ(text.frame.autofit, Autofit::ShrinkText);
    const ParagraphStyle& style = text.paragraphs.at(0).style;
    EXPECT_EQ(style.marginLeft, 27);
    EXPECT_EQ(style.indent, -27);
    EXPECT_EQ(style.spaceBefore.value, 10);
    EXPECT_EQ(text.paragraphs.at(0).runs.at(0).style.typeface, QStringLiteral("Arial"));
}

} // namespace
} // namespace quillora::layout
