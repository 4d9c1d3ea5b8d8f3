// updateText against the real engine: what the saved deck says after a
// statement was written into one shape.

#include "tests/builder/BuilderTestSupport.h"
#include "tests/builder/EngineTestSupport.h"

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

using Bullet = SavedParagraph::Bullet;

struct Expected {
    QString text;
    Bullet bullet;
    int size; // hundredths of a point
};

struct UpdateTextEngine : EngineFixture {
    // Writes the lines into slide 3's text shape and returns that shape as saved.
    SavedShape write(const QStringList& lines)
    {
        {
            Ref<Application> app = start();
            app->setVisible(true);
            Ref<Presentation> deck = app->presentations()->open(deckPath);
            Ref<TextRange> range = deck->slides()->item(3)->shapes()->item(QStringLiteral("Rectangle 3"))->textFrame()->textRange();
            updateText(context, lines, range);
            selectedSlide = engineWindowState(app).selectedSlide;
        }
        engine.writeOpenDecks();
        EXPECT_TRUE(reportedLines(fake.messages, kUpdateTextLocation).empty());
        const SavedDeck saved = EngineFixture::saved(deckPath);
        if (saved.slides.size() < 3 || !saved.slides[2].named(QStringLiteral("Rectangle 3")))
            return {};
        return *saved.slides[2].named(QStringLiteral("Rectangle 3"));
    }

    // The first paragraphs are exactly the expected ones, every run at the
    // expected size; whatever follows them is empty.
    static void expectParagraphs(const SavedShape& shape, const std::vector<Expected>& expected)
    {
        ASSERT_GE(shape.paragraphs.size(), expected.size()) << shape.text().toStdString();
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            const SavedParagraph& p = shape.paragraphs[i];
            EXPECT_EQ(p.text, expected[i].text);
            EXPECT_EQ(p.bullet, expected[i].bullet);
            for (int size : p.sizes)
                EXPECT_EQ(size, expected[i].size);
        }
        for (size_t i = expected.size(); i < shape.paragraphs.size(); ++i)
            EXPECT_EQ(shape.paragraphs[i].text, QString()) << "paragraph " << i;
    }

    int selectedSlide = -1;
};

} // namespace

TEST_F(UpdateTextEngine, WritesBulletsAndTabLedSubPoints)
{
    const SavedShape shape = write({"Alpha", "- beta", "Gamma"});
    expectParagraphs(shape, {{"Alpha", Bullet::Character, 2400},
                             {"\t- beta", Bullet::Off, 2200},
                             {"Gamma", Bullet::Character, 2400}});
    EXPECT_EQ(selectedSlide, 3);
    EXPECT_EQ(fake.events.count, 1);
    EXPECT_EQ(fake.clock.monotonic, 500);
}

TEST_F(UpdateTextEngine, SpacesBeforeTheHyphenAreKept)
{
    expectParagraphs(write({"   -a", "b"}), {{"\t   -a", Bullet::Off, 2200}, {"b", Bullet::Character, 2400}});
}

TEST_F(UpdateTextEngine, ATabBeforeTheHyphenIsAnOrdinaryLine)
{
    expectParagraphs(write({"\t- x"}), {{"\t- x", Bullet::Character, 2400}});
}

TEST_F(UpdateTextEngine, AnEmptyLastLineIsAnEmptyBulletedParagraph)
{
    const SavedShape shape = write({"A", ""});
    expectParagraphs(shape, {{"A", Bullet::Character, 2400}, {"", Bullet::Character, 2400}});
}

TEST_F(UpdateTextEngine, NoLinesLeaveTheShapeEmpty)
{
    const SavedShape shape = write({});
    expectParagraphs(shape, {});
    EXPECT_EQ(shape.text().remove(QLatin1Char('\r')), QString());
    EXPECT_EQ(selectedSlide, 3);
    EXPECT_EQ(fake.events.count, 1);
}
