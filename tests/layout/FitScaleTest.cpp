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
#include "tests/support/EngineDeck.h"
#include "tests/support/SavedDeck.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <pugixml.hpp>

namespace quillora::layout {
namespace {

QString bodyPropertiesAfter(const QString& bodyPr, int fontScale, int reduction)
{
    testing::DeckRecipe recipe;
    recipe.slides << QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"S\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr/>"
                                    "<p:txBody>%1<a:p><a:r><a:t>x</a:t></a:r></a:p></p:txBody></p:sp>")
                         .arg(bodyPr);
    const auto deck = deck::Presentation::fromBytes(testing::makeDeck(recipe));
    deck->slide(1).shape(1).setTextFitScale(fontScale, reduction);
    const QByteArray saved = deck->toBytes();
    const QByteArray slide = testing::PackageParts::fromZip(saved).part(QStringLiteral("ppt/slides/slide1.xml"));
    const qsizetype from = slide.indexOf("<p:txBody>") + 10;
    return QString::fromUtf8(slide.mid(from, slide.indexOf("<a:p>") - from));
}

TEST(TextFitScale, TheEngineWritesTheScaleOnTheShapesOwnAutofit)
{
    struct Row {
        QString before;
        int fontScale, reduction;
        QString after;
    };
    const std::vector<Row> rows{
        {"<a:bodyPr><a:normAutofit/></a:bodyPr>", 62500, 20000,
         "<a:bodyPr><a:normAutofit fontScale=\"62500\" lnSpcReduction=\"20000\"/></a:bodyPr>"},
        {"<a:bodyPr><a:normAutofit/></a:bodyPr>", 100000, 10000, "<a:bodyPr><a:normAutofit lnSpcReduction=\"10000\"/></a:bodyPr>"},
        {"<a:bodyPr><a:normAutofit fontScale=\"40000\" lnSpcReduction=\"20000\"/></a:bodyPr>", 100000, 0,
         "<a:bodyPr><a:normAutofit/></a:bodyPr>"},
        {"<a:bodyPr anchor=\"ctr\"/>", 90000, 20000,
         "<a:bodyPr anchor=\"ctr\"><a:normAutofit fontScale=\"90000\" lnSpcReduction=\"20000\"/></a:bodyPr>"},
        {"<a:bodyPr><a:prstTxWarp prst=\"textNoShape\"/><a:spAutoFit/><a:scene3d/></a:bodyPr>", 95833, 20000,
         "<a:bodyPr><a:prstTxWarp prst=\"textNoShape\"/><a:normAutofit fontScale=\"95833\" "
         "lnSpcReduction=\"20000\"/><a:scene3d/></a:bodyPr>"},
        {"<a:bodyPr><a:noAutofit/><a:extLst/></a:bodyPr>", 70000, 0,
         "<a:bodyPr><a:normAutofit fontScale=\"70000\"/><a:extLst/></a:bodyPr>"},
        {"<a:lstStyle/>", 50000, 20000,
         "<a:bodyPr><a:normAutofit fontScale=\"50000\" lnSpcReduction=\"20000\"/></a:bodyPr><a:lstStyle/>"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(bodyPropertiesAfter(row.before, row.fontScale, row.reduction).toStdString(), row.after.toStdString());
}

TEST(TextFitScale, AScaleOutsideWhatTheFileTakesIsRefused)
{
    for (const auto& [fontScale, reduction] : std::vector<std::pair<int, int>>{{999, 0}, {100001, 0}, {50000, -1}, {50000, 100001}}) {
        try {
            bodyPropertiesAfter(QStringLiteral("<a:bodyPr/>"), fontScale, reduction);
            ADD_FAILURE() << fontScale << " " << reduction << " was taken";
        } catch (const deck::DeckError& error) {
            EXPECT_EQ(error.kind(), deck::DeckError::Kind::OutOfRange);
        }
    }
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

// A filled shape of the shipped template, laid out as the deck holds it.
struct Filled {
    QByteArray bytes;
    ShapeText text;
};

Filled fillShippedSlide(const QStringList& lines)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deck.pptx"));
    QFile::copy(testing::builtTemplatePath(), path);
    testing::EngineDeck engine(path);
    engine.write(3, QStringLiteral("Rectangle 3"), lines);
    Filled filled{engine.pack(), {}};
    const auto deck = deck::Presentation::fromBytes(filled.bytes);
    filled.text = readShapeText(deck->slide(3).shape(QStringLiteral("Rectangle 3")));
    return filled;
}

TEST(TextFitScale, AFilledDeckCarriesTheLargestStepAtWhichItsTextFits)
{
    TextLayouter layouter;
    for (const testing::SampleSection& sample : testing::sampleSections()) {
        SCOPED_TRACE(sample.kind);
        const Filled filled = fillShippedSlide(sample.lines);
        const Scale stored = filled.text.frame.storedScale;
        EXPECT_TRUE(layouter.layOut(filled.text).fits());
        const std::vector<Scale> steps = shrinkSteps(filled.text);
        const auto at = std::find(steps.begin(), steps.end(), stored);
        ASSERT_NE(at, steps.end());
        if (at != steps.begin())
            EXPECT_FALSE(layouter.layOut(filled.text, *(at - 1)).fits()) << "one step larger fits too";

        // The runs keep the sizes the writer gave them; only the autofit says more.
        QString error;
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("saved.pptx"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(filled.bytes) == filled.bytes.size());
        file.close();
        const testing::SavedDeck saved = testing::SavedDeck::read(path, &error);
        ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
        const std::optional<testing::SavedShape> shape = saved.slides.at(2).named(QStringLiteral("Rectangle 3"));
        ASSERT_TRUE(shape);
        for (const testing::SavedParagraph& paragraph : shape->paragraphs)
            for (int size : paragraph.sizes)
                EXPECT_TRUE(size == 2400 || size == 2200) << size;
    }
}

TEST(TextFitScale, ShortTextKeepsAPlainAutofitAndLongTextIsScaled)
{
    const Filled shortText = fillShippedSlide({QStringLiteral("One point"), QStringLiteral("- and a sub-point")});
    EXPECT_TRUE(shortText.text.frame.storedScale.isFull());
    const QByteArray slide = testing::PackageParts::fromZip(shortText.bytes).part(QStringLiteral("ppt/slides/slide3.xml"));
    EXPECT_TRUE(slide.contains("<a:bodyPr><a:normAutofit/></a:bodyPr>")) << slide.constData();

    const Filled longText = fillShippedSlide(testing::statementOfSize(1500));
    EXPECT_LT(longText.text.frame.storedScale.fontScale, 100000);
    EXPECT_EQ(longText.text.frame.storedScale.lineSpacingReduction, 20000);
}

TEST(TextFitScale, ShapesThatDoNotShrinkTheirTextAreLeftAsTheTemplateSays)
{
    TextLayouter layouter;
    for (const char* autofit : {"<a:spAutoFit/>", "<a:noAutofit/>", ""}) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("deck.pptx"));
        testing::DeckRecipe recipe;
        recipe.slides << QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Box\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                                        "<p:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" cy=\"254000\"/></a:xfrm>"
                                        "</p:spPr><p:txBody><a:bodyPr>%1</a:bodyPr><a:p/></p:txBody></p:sp>")
                             .arg(QLatin1String(autofit));
        QFile file(path);
        const QByteArray bytes = testing::makeDeck(recipe);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        testing::EngineDeck engine(path);
        engine.write(1, QStringLiteral("Box"), testing::statementOfSize(400));
        const QByteArray packed = engine.pack();
        const QByteArray slide = testing::PackageParts::fromZip(packed).part(QStringLiteral("ppt/slides/slide1.xml"));
        const QByteArray expected = *autofit ? QByteArray("<a:bodyPr>") + autofit + "</a:bodyPr>" : QByteArray("<a:bodyPr/>");
        EXPECT_TRUE(slide.contains(expected)) << autofit;
        const auto deck = deck::Presentation::fromBytes(packed);
        const FitResult fit = layouter.fit(readShapeText(deck->slide(1).shape(1)));
        EXPECT_FALSE(fit.fits) << autofit;
        EXPECT_GT(fit.linesOver, 5) << autofit;
        EXPECT_TRUE(fit.scale.isFull());
    }
}

TEST(TextFitScale, AStaleScaleFromTheTemplateGoesWhenTheNewTextFits)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deck.pptx"));
    QFile source(testing::builtTemplatePath());
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    testing::PackageParts parts = testing::PackageParts::fromZip(source.readAll());
    QByteArray slide = parts.part(QStringLiteral("ppt/slides/slide3.xml"));
    ASSERT_TRUE(slide.contains("<a:normAutofit/></a:bodyPr><a:lstStyle/>\n          <a:p><a:pPr><a:buChar"));
    slide.replace("<a:normAutofit/></a:bodyPr><a:lstStyle/>\n          <a:p><a:pPr><a:buChar",
                  "<a:normAutofit fontScale=\"55000\" lnSpcReduction=\"20000\"/></a:bodyPr><a:lstStyle/>\n          <a:p><a:pPr><a:buChar");
    parts.set(QStringLiteral("ppt/slides/slide3.xml"), slide);
    QFile file(path);
    const QByteArray bytes = parts.zip();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    testing::EngineDeck engine(path);
    engine.write(3, QStringLiteral("Rectangle 3"), {QStringLiteral("Short")});
    const QByteArray packed = engine.pack();
    const auto deck = deck::Presentation::fromBytes(packed);
    EXPECT_TRUE(readShapeText(deck->slide(3).shape(QStringLiteral("Rectangle 3"))).frame.storedScale.isFull());
}

} // namespace
} // namespace quillora::layout
