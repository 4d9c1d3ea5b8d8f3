// The scale a shrinking shape needs and how the deck says it: the steps, the
// fit against them, the engine's a:normAutofit (XML in, XML out), and decks
// filled through the engine carrying the scale while their run sizes stay
// as written.

#include "deck/Deck.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/DeckBuilder.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quillora::layout {
namespace {

// The shape's text body up to its first paragraph after setTextFitScale, or
// "refused" when the engine refuses the scale.
QString bodyPropertiesAfter(const QString& bodyPr, int fontScale, int reduction)
{
    testing::DeckRecipe recipe;
    recipe.slides << QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"S\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr/>"
                                    "<p:txBody>%1<a:p><a:r><a:t>x</a:t></a:r></a:p></p:txBody></p:sp>")
                         .arg(bodyPr);
    const auto deck = deck::Presentation::fromBytes(testing::makeDeck(recipe));
    try {
        deck->slide(1).shape(1).setTextFitScale(fontScale, reduction);
    } catch (const deck::DeckError& error) {
        return error.kind() == deck::DeckError::Kind::OutOfRange ? QStringLiteral("refused") : error.description();
    }
    const QByteArray slide = testing::PackageParts::fromZip(deck->toBytes()).part(QStringLiteral("ppt/slides/slide1.xml"));
    const qsizetype from = slide.indexOf("<p:txBody>") + 10;
    return QString::fromUtf8(slide.mid(from, slide.indexOf("<a:p>") - from));
}

TEST(TextFitScale, TheEngineWritesTheScaleOnTheShapesOwnAutofit)
{
    const QString plain = QStringLiteral("<a:bodyPr><a:normAutofit/></a:bodyPr>");
    const std::vector<std::tuple<QString, int, int, QString>> rows{
        {plain, 62500, 20000, "<a:bodyPr><a:normAutofit fontScale=\"62500\" lnSpcReduction=\"20000\"/></a:bodyPr>"},
        {plain, 100000, 10000, "<a:bodyPr><a:normAutofit lnSpcReduction=\"10000\"/></a:bodyPr>"},
        {"<a:bodyPr><a:normAutofit fontScale=\"40000\" lnSpcReduction=\"20000\"/></a:bodyPr>", 100000, 0, plain},
        {"<a:bodyPr anchor=\"ctr\"/>", 90000, 20000,
         "<a:bodyPr anchor=\"ctr\"><a:normAutofit fontScale=\"90000\" lnSpcReduction=\"20000\"/></a:bodyPr>"},
        {"<a:bodyPr><a:prstTxWarp prst=\"textNoShape\"/><a:spAutoFit/><a:scene3d/></a:bodyPr>", 95833, 20000,
         "<a:bodyPr><a:prstTxWarp prst=\"textNoShape\"/><a:normAutofit fontScale=\"95833\" lnSpcReduction=\"20000\"/>"
         "<a:scene3d/></a:bodyPr>"},
        {"<a:bodyPr><a:noAutofit/><a:extLst/></a:bodyPr>", 70000, 0,
         "<a:bodyPr><a:normAutofit fontScale=\"70000\"/><a:extLst/></a:bodyPr>"},
        {"<a:lstStyle/>", 50000, 20000,
         "<a:bodyPr><a:normAutofit fontScale=\"50000\" lnSpcReduction=\"20000\"/></a:bodyPr><a:lstStyle/>"},
        {plain, 999, 0, "refused"},
        {plain, 100001, 0, "refused"},
        {plain, 50000, -1, "refused"},
        {plain, 50000, 100001, "refused"},
    };
    for (const auto& [before, fontScale, reduction, after] : rows)
        EXPECT_EQ(bodyPropertiesAfter(before, fontScale, reduction).toStdString(), after.toStdString());
}

TEST(TextFitScale, StepsReduceTheLineSpacingFirstThenTheLargestFontByWholePoints)
{
    ShapeText text;
    text.frame.autofit = Autofit::ShrinkText;
    text.paragraphs.resize(2);
    text.paragraphs[0].runs = {{QStringLiteral("a"), RunStyle{QStringLiteral("Arial"), 24}}};
    text.paragraphs[1].runs = {{QStringLiteral("b"), RunStyle{QStringLiteral("Arial"), 22}}};
    const std::vector<Scale> steps = shrinkSteps(text, 70000);
    const std::vector<Scale> expected{{100000, 0},     {100000, 10000}, {100000, 20000}, {95833, 20000},
                                      {91667, 20000},  {87500, 20000},  {83333, 20000},  {79167, 20000},
                                      {75000, 20000},  {70833, 20000}};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(shrinkSteps(text).back(), (Scale{25000, 20000}));
    // Sizes land on whole points: 24 and 22 at 23/24.
    EXPECT_EQ(scaledSize(24, steps[3]), 23);
    EXPECT_EQ(scaledSize(22, steps[3]), 21);
    EXPECT_EQ(scaledSize(22, Scale{100000, 20000}), 22);
}

QByteArray shippedTemplate()
{
    QFile file(testing::builtTemplatePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray filled(const QByteArray& templateBytes, int slide, const QString& shape, const QStringList& lines)
{
    return testing::filledThroughEngine(templateBytes, {{slide, shape, lines}});
}

QByteArray slidePart(const QByteArray& deck, int slide)
{
    return testing::PackageParts::fromZip(deck).part(QStringLiteral("ppt/slides/slide%1.xml").arg(slide));
}

TEST(TextFitScale, AFilledDeckCarriesTheLargestStepAtWhichItsTextFitsAndKeepsItsRunSizes)
{
    TextLayouter layouter;
    for (const testing::SampleSection& sample : testing::sampleSections()) {
        SCOPED_TRACE(sample.kind);
        const QByteArray bytes = filled(shippedTemplate(), 3, QStringLiteral("Rectangle 3"), sample.lines);
        const ShapeText text = readShapeText(deck::Presentation::fromBytes(bytes)->slide(3).shape(QStringLiteral("Rectangle 3")));
        const std::vector<Scale> steps = shrinkSteps(text);
        const auto at = std::find(steps.begin(), steps.end(), text.frame.storedScale);
        ASSERT_NE(at, steps.end());
        EXPECT_TRUE(layouter.layOut(text).fits());
        if (at != steps.begin())
            EXPECT_FALSE(layouter.layOut(text, *(at - 1)).fits()) << "one step larger fits too";
        const QString slide = QString::fromUtf8(slidePart(bytes, 3));
        EXPECT_EQ(slide.count(QStringLiteral("rPr sz=\"")),
                  slide.count(QStringLiteral("rPr sz=\"2400\"")) + slide.count(QStringLiteral("rPr sz=\"2200\"")));
    }
}

TEST(TextFitScale, ShapesThatDoNotShrinkTheirTextAreLeftAsTheTemplateSays)
{
    TextLayouter layouter;
    for (const char* autofit : {"<a:spAutoFit/>", "<a:noAutofit/>", ""}) {
        testing::DeckRecipe recipe;
        recipe.slides << QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Box\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                                        "<p:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" cy=\"254000\"/></a:xfrm>"
                                        "</p:spPr><p:txBody><a:bodyPr>%1</a:bodyPr><a:p/></p:txBody></p:sp>")
                             .arg(QLatin1String(autofit));
        const QByteArray bytes = filled(testing::makeDeck(recipe), 1, QStringLiteral("Box"), testing::statementOfSize(400));
        EXPECT_TRUE(slidePart(bytes, 1).contains(*autofit ? QByteArray("<a:bodyPr>") + autofit + "</a:bodyPr>" : "<a:bodyPr/>"));
        const FitResult fit = layouter.fit(readShapeText(deck::Presentation::fromBytes(bytes)->slide(1).shape(1)));
        EXPECT_TRUE(!fit.fits && fit.linesOver > 5 && fit.scale.isFull()) << autofit << " " << fit.linesOver;
    }
}

TEST(TextFitScale, AStaleScaleFromTheTemplateGoesWhenTheNewTextFits)
{
    testing::PackageParts parts = testing::PackageParts::fromZip(shippedTemplate());
    const QByteArray plain = "<a:normAutofit/></a:bodyPr><a:lstStyle/>\n          <a:p><a:pPr><a:buChar";
    QByteArray slide = parts.part(QStringLiteral("ppt/slides/slide3.xml"));
    ASSERT_TRUE(slide.contains(plain));
    parts.set(QStringLiteral("ppt/slides/slide3.xml"),
              slide.replace(plain, QByteArray(plain).replace("<a:normAutofit/>", "<a:normAutofit fontScale=\"55000\"/>")));
    const QByteArray bytes = filled(parts.zip(), 3, QStringLiteral("Rectangle 3"), {QStringLiteral("Short")});
    EXPECT_FALSE(slidePart(bytes, 3).contains("fontScale"));
    EXPECT_TRUE(slidePart(bytes, 3).contains("<a:normAutofit/>"));
}

} // namespace
} // namespace quillora::layout
