// Presentation -> slides -> shapes -> text frame lookups and their errors.

#include "DeckTestSupport.h"

#include <gtest/gtest.h>

namespace quillora::deck {
namespace {

using testing::DeckRecipe;
using testing::openDeck;
using testing::pictureShape;
using testing::textShape;

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DeckError& error) {
        return error.description();
    }
    return QStringLiteral("(no error)");
}

const QString kOutOfRange = QLatin1String(kOutOfRangeDescription);

TEST(ObjectModelSlides, SlidesCountFromOneInPresentationOrder)
{
    // slide3.xml is listed first, then slide1.xml, then slide2.xml.
    auto deck = openDeck(DeckRecipe{{textShape(2, QStringLiteral("one")), textShape(2, QStringLiteral("two")),
                                   textShape(2, QStringLiteral("three"))},
                                  {2, 0, 1},
                                  {}});
    ASSERT_EQ(deck->slideCount(), 3);
    EXPECT_EQ(deck->slide(1).shape(1).name(), QStringLiteral("three"));
    EXPECT_EQ(deck->slide(2).shape(1).name(), QStringLiteral("one"));
    EXPECT_EQ(deck->slide(3).shape(1).name(), QStringLiteral("two"));
    EXPECT_EQ(deck->slide(2).number(), 2);
    EXPECT_EQ(&deck->slide(2).presentation(), deck.get());
}

TEST(ObjectModelSlides, ASlideOutsideTheDeckIsOutOfRange)
{
    auto deck = Presentation::open(testing::builtTemplatePath());
    EXPECT_EQ(errorOf([&] { deck->slide(0); }), kOutOfRange);
    EXPECT_EQ(errorOf([&] { deck->slide(deck->slideCount() + 1); }), kOutOfRange);
    EXPECT_EQ(errorOf([&] { deck->slide(-1); }), kOutOfRange);
}

TEST(ObjectModelShapes, ShapesCountFromOneInZOrderAndGroupsCountOnce)
{
    const QString group = QStringLiteral(
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"5\" name=\"Group 4\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>")
        + textShape(6, QStringLiteral("Inside")) + QStringLiteral("</p:grpSp>");
    auto deck = openDeck(DeckRecipe{{textShape(2, QStringLiteral("Back")) + pictureShape(3, QStringLiteral("Picture 2"))
                                   + group + textShape(4, QStringLiteral("Front"))},
                                  {},
                                  {}});
    Slide& slide = deck->slide(1);
    ASSERT_EQ(slide.shapeCount(), 4);
    EXPECT_EQ(slide.shape(1).name(), QStringLiteral("Back"));
    EXPECT_EQ(slide.shape(2).name(), QStringLiteral("Picture 2"));
    EXPECT_EQ(slide.shape(3).name(), QStringLiteral("Group 4"));
    EXPECT_EQ(slide.shape(4).name(), QStringLiteral("Front"));
    EXPECT_EQ(slide.shape(4).number(), 4);
    EXPECT_EQ(&slide.shape(4).slide(), &slide);
    EXPECT_EQ(errorOf([&] { slide.shape(0); }), kOutOfRange);
    EXPECT_EQ(errorOf([&] { slide.shape(5); }), kOutOfRange);
    EXPECT_EQ(errorOf([&] { slide.shape(QStringLiteral("Inside")); }), QStringLiteral("Slide 1 has no shape named Inside."));
}

TEST(ObjectModelShapes, ByNameGivesTheFirstShapeWithThatName)
{
    auto deck = openDeck(DeckRecipe{{textShape(2, QStringLiteral("Box"), QStringLiteral("<a:p><a:r><a:t>first</a:t></a:r></a:p>"))
                                   + textShape(3, QStringLiteral("Box"), QStringLiteral("<a:p><a:r><a:t>second</a:t></a:r></a:p>"))},
                                  {},
                                  {}});
    Shape& box = deck->slide(1).shape(QStringLiteral("Box"));
    EXPECT_EQ(box.number(), 1);
    EXPECT_EQ(box.textRange().text(), QStringLiteral("first"));
}

TEST(ObjectModelShapes, AMissingNameIsReportedWithItsSlideAndKind)
{
    auto deck = Presentation::open(testing::builtTemplatePath());
    try {
        deck->slide(1).shape(QStringLiteral("Rectangle 3"));
        ADD_FAILURE() << "no error";
    } catch (const DeckError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Slide 1 has no shape named Rectangle 3."));
        EXPECT_EQ(e.kind(), DeckError::Kind::NoSuchName);
    }
}

TEST(ObjectModelShapes, AShapeWithoutATextFrameRefusesItsText)
{
    auto deck = openDeck(DeckRecipe{{pictureShape(2, QStringLiteral("Picture 1"))}, {}, {}});
    Shape& picture = deck->slide(1).shape(1);
    EXPECT_FALSE(picture.hasTextFrame());
    EXPECT_EQ(errorOf([&] { picture.textRange(); }), QStringLiteral("The shape Picture 1 has no text frame."));
}

TEST(ObjectModelShapes, ObjectsKeepTheirAddressesAndRangesKnowTheirShape)
{
    auto deck = Presentation::open(testing::builtTemplatePath());
    Shape* first = &deck->slide(5).shape(QStringLiteral("Rectangle 3"));
    deck->slide(5).shape(QStringLiteral("Rectangle 3")).textRange().setText(QStringLiteral("x"));
    EXPECT_EQ(&deck->slide(5).shape(QStringLiteral("Rectangle 3")), first);
    EXPECT_EQ(&first->textRange().characters(1, 1).shape(), first);
    EXPECT_EQ(first->textRange().text(), QStringLiteral("x"));
}

} // namespace
} // namespace quillora::deck
