// What the generator relies on in marketing_plan.ppt, and the look it is
// meant to have: every section slide starts with its hint text laid out as
// the writer lays out statements.

#include "DeckTestSupport.h"

#include "deck/Xml.h"
#include "plan/SectionCatalogue.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quillora::deck {
namespace {

QString bodyShapeName(int slide)
{
    return slide == 2 ? QStringLiteral("Rectangle 98") : slide == 4 ? QStringLiteral("Rectangle 18") : QStringLiteral("Rectangle 3");
}

class TemplateDeck : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile file(testing::builtTemplatePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the template is built beside the executables";
        bytes = file.readAll();
        deck = Presentation::open(testing::builtTemplatePath());
    }
    QByteArray bytes;
    std::unique_ptr<Presentation> deck;
};

TEST_F(TemplateDeck, IsAnOfficeOpenXmlPackageUnderItsLegacyName)
{
    EXPECT_TRUE(testing::builtTemplatePath().endsWith(QLatin1String("/marketing_plan.ppt")));
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
    EXPECT_EQ(testing::partNames(bytes).first(), QStringLiteral("[Content_Types].xml"));
}

TEST_F(TemplateDeck, IsWidescreen)
{
    const QByteArray presentation = testing::partOf(bytes, QStringLiteral("ppt/presentation.xml"));
    const auto document = detail::parseXml(presentation, QStringLiteral("presentation"), QStringLiteral("template"));
    const pugi::xml_node size = detail::child(document->document_element(), "sldSz");
    EXPECT_EQ(size.attribute("cx").as_llong() * 9, size.attribute("cy").as_llong() * 16);
}

TEST_F(TemplateDeck, ThemeFontsAreArialAndTheMasterBodyStyleCarriesTheBullets)
{
    const auto theme = detail::parseXml(testing::partOf(bytes, QStringLiteral("ppt/theme/theme1.xml")),
                                        QStringLiteral("theme"), QStringLiteral("template"));
    const pugi::xml_node fonts = detail::descendant(theme->document_element(), {"themeElements", "fontScheme"});
    EXPECT_STREQ(detail::descendant(fonts, {"majorFont", "latin"}).attribute("typeface").value(), "Arial");
    EXPECT_STREQ(detail::descendant(fonts, {"minorFont", "latin"}).attribute("typeface").value(), "Arial");

    const auto master = detail::parseXml(testing::partOf(bytes, QStringLiteral("ppt/slideMasters/slideMaster1.xml")),
                                         QStringLiteral("master"), QStringLiteral("template"));
    const pugi::xml_node styles = detail::child(master->document_element(), "txStyles");
    EXPECT_TRUE(detail::descendant(styles, {"titleStyle", "lvl1pPr", "defRPr"}));
    EXPECT_TRUE(detail::descendant(styles, {"bodyStyle", "lvl1pPr", "buChar"}));
}

TEST_F(TemplateDeck, SlideOneTakesTheTitleAndTheProductLine)
{
    ASSERT_GE(deck->slideCount(), 17);
    Slide& title = deck->slide(1);
    ASSERT_GE(title.shapeCount(), 2);
    EXPECT_TRUE(title.shape(1).hasTextFrame());
    EXPECT_TRUE(title.shape(2).hasTextFrame());
    EXPECT_EQ(title.shape(2).textRange().text(), QStringLiteral("Product Name\rMarketing Plan"));
}

TEST_F(TemplateDeck, SectionSlidesCarryCaptionAndNamedBodyInCatalogueOrder)
{
    ASSERT_GE(deck->slideCount(), 17);
    const auto& sections = allSections();
    for (int k = 0; k < kSectionCount; ++k) {
        Slide& slide = deck->slide(2 + k);
        SCOPED_TRACE(sections[static_cast<size_t>(k)].caption);
        EXPECT_EQ(slide.shape(1).textRange().text(), sections[static_cast<size_t>(k)].captionText());
        Shape& body = slide.shape(bodyShapeName(2 + k));
        ASSERT_TRUE(body.hasTextFrame());
    }
}

TEST_F(TemplateDeck, SectionBodiesHoldTheHintLaidOutLikeAStatement)
{
    const auto& sections = allSections();
    for (int k = 0; k < kSectionCount; ++k) {
        const int slide = 2 + k;
        SCOPED_TRACE(sections[static_cast<size_t>(k)].caption);
        const QStringList lines = sections[static_cast<size_t>(k)].hint().split(QStringLiteral("\r\n"));
        QStringList expected;
        for (const QString& line : lines)
            expected.append(line.trimmed().startsWith(QLatin1Char('-')) ? QLatin1Char('\t') + line : line);
        EXPECT_EQ(deck->slide(slide).shape(bodyShapeName(slide)).textRange().text(), expected.join(QLatin1Char('\r')));

        const auto document = detail::parseXml(testing::partOf(bytes, QStringLiteral("ppt/slides/slide%1.xml").arg(slide)),
                                               QStringLiteral("slide"), QStringLiteral("template"));
        const auto paragraphs = testing::paragraphsOf(*document, bodyShapeName(slide));
        ASSERT_EQ(paragraphs.size(), static_cast<size_t>(lines.size()));
        for (size_t i = 0; i < paragraphs.size(); ++i) {
            const bool dash = lines[static_cast<qsizetype>(i)].trimmed().startsWith(QLatin1Char('-'));
            const pugi::xml_node pPr = detail::child(paragraphs[i], "pPr");
            EXPECT_TRUE(detail::child(pPr, dash ? "buNone" : "buChar")) << "line " << i;
            for (pugi::xml_node run : paragraphs[i].children())
                if (detail::localName(run) == "r")
                    EXPECT_STREQ(detail::child(run, "rPr").attribute("sz").value(), dash ? "2200" : "2400") << "line " << i;
        }
    }
}

TEST_F(TemplateDeck, BodiesShrinkLongTextToFit)
{
    for (int slide = 2; slide <= 17; ++slide) {
        const auto document = detail::parseXml(testing::partOf(bytes, QStringLiteral("ppt/slides/slide%1.xml").arg(slide)),
                                               QStringLiteral("slide"), QStringLiteral("template"));
        const auto paragraphs = testing::paragraphsOf(*document, bodyShapeName(slide));
        ASSERT_FALSE(paragraphs.empty());
        const pugi::xml_node bodyPr = detail::child(paragraphs.front().parent(), "bodyPr");
        EXPECT_TRUE(detail::child(bodyPr, "normAutofit")) << "slide " << slide;
    }
}

} // namespace
} // namespace quillora::deck
