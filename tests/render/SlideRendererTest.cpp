// Slides drawn by the preview, by their pixels: the background the nearest
// part gives (a picture, a gradient, a colour) and the grey stand-in with
// which objects the preview cannot draw keep their place.

#include "deck/Deck.h"
#include "render/SlideRenderer.h"
#include "tests/support/DeckBuilder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace quillora {
namespace {

// Pixels drawn from smoothly scaled pictures and gradients: this close.
constexpr int kChannelTolerance = 12;

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Two bands side by side: the left and the right half of a picture.
QImage bands(QColor left, QColor right)
{
    QImage image(8, 4, QImage::Format_RGB32);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            image.setPixelColor(x, y, x < 4 ? left : right);
    return image;
}

const QString kMaster = QStringLiteral("ppt/slideMasters/slideMaster1.xml");
const QString kLayout = QStringLiteral("ppt/slideLayouts/slideLayout1.xml");

// A one-slide deck whose part `part` gets the background `bg`, and the
// slide the shapes `slideShapes`.
QByteArray deckWith(const QString& part, const QString& bg, const QString& slideShapes = {})
{
    testing::PackageParts parts = testing::PackageParts::fromZip(testing::makeDeck({{slideShapes}, {}, {}}));
    if (!part.isEmpty()) {
        QByteArray xml = parts.part(part);
        xml.replace("<p:cSld>", "<p:cSld>" + bg.toUtf8());
        parts.set(part, xml);
        // The picture a background may embed, beside the part's own relationships.
        const QString rels = part.section(QLatin1Char('/'), 0, 1) + QStringLiteral("/_rels/") +
                             part.section(QLatin1Char('/'), 2) + QStringLiteral(".rels");
        QByteArray relationships = parts.part(rels);
        relationships.replace("</Relationships>",
                              "<Relationship Id=\"rIdPicture\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                              "2006/relationships/image\" Target=\"../media/bands.png\"/></Relationships>");
        parts.set(rels, relationships);
        parts.set(QStringLiteral("ppt/media/bands.png"), png(bands(QColor(0, 160, 0), QColor(240, 200, 0))));
    }
    return parts.zip();
}

void expectColour(const QImage& image, QPointF share, QColor expected, const char* where)
{
    const QColor seen = image.pixelColor(int(share.x() * (image.width() - 1)), int(share.y() * (image.height() - 1)));
    EXPECT_NEAR(seen.red(), expected.red(), kChannelTolerance) << where;
    EXPECT_NEAR(seen.green(), expected.green(), kChannelTolerance) << where;
    EXPECT_NEAR(seen.blue(), expected.blue(), kChannelTolerance) << where;
}

struct BackgroundCase {
    const char* what;
    QString part;
    QString bg;
    std::vector<std::pair<QPointF, QColor>> samples;
};

class Backgrounds : public ::testing::TestWithParam<BackgroundCase> {};

TEST_P(Backgrounds, TheNearestPartsBackgroundFillsTheSlide)
{
    const BackgroundCase& sample = GetParam();
    const auto deck = deck::Presentation::fromBytes(deckWith(sample.part, sample.bg));
    render::SlideRenderer renderer(*deck);
    const QImage image = renderer.render(1, 400);
    EXPECT_EQ(image.size(), QSize(400, 225)) << "a 16:9 slide keeps its proportions";
    for (const auto& [share, colour] : sample.samples)
        expectColour(image, share, colour, sample.what);
}

const QString kPicture = QStringLiteral("<p:bg><p:bgPr><a:blipFill><a:blip r:embed=\"rIdPicture\"/><a:stretch>"
                                        "<a:fillRect/></a:stretch></a:blipFill></p:bgPr></p:bg>");
QString gradient(int angle)
{
    return QStringLiteral("<p:bg><p:bgPr><a:gradFill><a:gsLst><a:gs pos=\"0\"><a:srgbClr val=\"FF0000\"/></a:gs>"
                          "<a:gs pos=\"100000\"><a:schemeClr val=\"accent1\"><a:lumMod val=\"50000\"/></a:schemeClr>"
                          "</a:gs></a:gsLst><a:lin ang=\"%1\"/></a:gradFill></p:bgPr></p:bg>")
        .arg(angle);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, Backgrounds,
    ::testing::Values(
        BackgroundCase{"no background: white", {}, {}, {{{0.5, 0.5}, Qt::white}}},
        BackgroundCase{"a master's picture, stretched",
                       kMaster,
                       kPicture,
                       {{{0.1, 0.5}, QColor(0, 160, 0)}, {{0.9, 0.5}, QColor(240, 200, 0)}}},
        // accent1 is 1F3864; half its lightness is 10,1C,32.
        BackgroundCase{"a layout's gradient from left to right",
                       kLayout,
                       gradient(0),
                       {{{0.0, 0.5}, QColor(255, 0, 0)}, {{1.0, 0.5}, QColor(0x10, 0x1C, 0x32)}}},
        BackgroundCase{"the slide's gradient from top to bottom",
                       QStringLiteral("ppt/slides/slide1.xml"),
                       gradient(5400000),
                       {{{0.5, 0.0}, QColor(255, 0, 0)}, {{0.5, 1.0}, QColor(0x10, 0x1C, 0x32)}}},
        BackgroundCase{"the theme's background fill in a scheme colour",
                       kMaster,
                       QStringLiteral("<p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"accent2\"/></p:bgRef></p:bg>"),
                       {{{0.5, 0.5}, QColor(0x1F, 0x38, 0x64)}}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

struct StandInCase {
    const char* what;
    QString shape;
};

class StandIns : public ::testing::TestWithParam<StandInCase> {};

TEST_P(StandIns, WhatCannotBeDrawnIsAGreyBoxInItsPlace)
{
    // The object covers the slide's middle: x and y 25 % to 75 %.
    const auto deck = deck::Presentation::fromBytes(deckWith({}, {}, GetParam().shape));
    render::SlideRenderer renderer(*deck);
    const QImage image = renderer.render(1, 400);
    expectColour(image, {0.1, 0.1}, Qt::white, "outside");
    const QColor inside = image.pixelColor(int(0.3 * 400), int(0.3 * 225));
    EXPECT_TRUE(inside.red() == inside.green() && inside.green() == inside.blue() && inside.red() < 240
                && inside.red() > 128)
        << "a neutral grey, not " << qPrintable(inside.name());
}

const QString kBox = QStringLiteral("<a:off x=\"3048000\" y=\"1714500\"/><a:ext cx=\"6096000\" cy=\"3429000\"/>");

INSTANTIATE_TEST_SUITE_P(
    Objects, StandIns,
    ::testing::Values(
        StandInCase{"a chart", QStringLiteral("<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"4\" name=\"Chart 3\"/>"
                                              "<p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr><p:xfrm>%1</p:xfrm>"
                                              "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/"
                                              "drawingml/2006/chart\"/></a:graphic></p:graphicFrame>")
                                   .arg(kBox)},
        StandInCase{"a video", QStringLiteral("<p:pic><p:nvPicPr><p:cNvPr id=\"5\" name=\"Video 4\"/><p:cNvPicPr/>"
                                              "<p:nvPr><a:videoFile r:link=\"rIdVideo\"/></p:nvPr></p:nvPicPr>"
                                              "<p:blipFill><a:blip/></p:blipFill><p:spPr><a:xfrm>%1</a:xfrm>"
                                              "</p:spPr></p:pic>")
                                   .arg(kBox)},
        StandInCase{"a picture linked from outside, never fetched",
                    QStringLiteral("<p:pic><p:nvPicPr><p:cNvPr id=\"6\" name=\"Picture 5\"/><p:cNvPicPr/><p:nvPr/>"
                                   "</p:nvPicPr><p:blipFill><a:blip r:link=\"rIdOutside\"/></p:blipFill><p:spPr>"
                                   "<a:xfrm>%1</a:xfrm></p:spPr></p:pic>")
                        .arg(kBox)}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

} // namespace
} // namespace quillora
