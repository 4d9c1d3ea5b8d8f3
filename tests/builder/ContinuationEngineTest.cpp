// Long sections continued by the real engine in the real template: slides' count, order and titles, each
// statement shared out whole and readably, a slide list with unique ids and slide content types.

#include "builder/SectionFit.h"
#include "deck/OpcPackage.h"
#include "layout/ShapeText.h"
#include "tests/builder/EngineTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace quillora;
using quillora::testing::EngineFixture;

TEST_F(EngineFixture, LongSectionsGoOnRightAfterTheirSlidesOnlyWhenAsked)
{
    const auto statement = [](int points, int subPoints) {
        QStringList lines;
        for (int p = 1; p <= points; ++p)
            lines << QStringLiteral("Point %1 on the market we are entering this year").arg(p) << QStringList(subPoints, QStringLiteral("- detail"));
        return lines.join(QStringLiteral("\r\n"));
    };
    const struct {
        bool on;
        int points, subPoints; // in the statements of slides 2 and 17
        bool continued;
    } rows[] = {{false, 12, 2, false}, {true, 2, 1, false}, {true, 1, 30, false}, {true, 12, 2, true}};
    fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
    fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
    const auto original = deck::Presentation::open(quillora::testing::realTemplate());
    const auto textOf = [](deck::Presentation& deck, int slide, int shape) { return deck.slide(slide).shape(shape).textRange().text(); };
    layout::TextLayouter layouter;
    for (const auto& row : rows) {
        for (const char* key : {"FirstStatementMkt_0", "SecondStatementMkt_7"})
            plan->write(QLatin1String(key), statement(row.points, row.subPoints));
        const QString path = generateMarketPlan(context.context, {context.request().templatePath, context.request().workingCopyPath, row.on}, plan).deckPath;
        handOffToDesktop(engine, fake.platform);
        ASSERT_TRUE(fake.messages.shown.empty()) << fake.messages.shown.front().text.toStdString();
        const auto deck = deck::Presentation::open(path);
        int slide = 1;
        for (int section = 2; section <= 17; ++section) {
            const QString title = textOf(*original, section, 1);
            const int first = ++slide;
            EXPECT_EQ(textOf(*deck, first, 1), title); // the template's order
            QString body = textOf(*deck, slide, 2);
            while (slide < deck->slideCount() && textOf(*deck, slide + 1, 1) == continuedTitle(title)) {
                EXPECT_TRUE(fitSectionText(layout::readShapeText(deck->slide(slide).shape(2)), layouter).fits);
                EXPECT_FALSE(textOf(*deck, ++slide, 2).startsWith(QLatin1Char('\t'))) << "a piece starts with a point";
                body += textOf(*deck, slide, 2);
            }
            EXPECT_EQ(slide > first, row.continued && (section == 2 || section == 17)) << section;
            if (section % 15 == 2) // 2 and 17
                EXPECT_EQ(body.remove(QLatin1Char('\t')).split(QLatin1Char('\r'), Qt::SkipEmptyParts).join(QStringLiteral("\r\n")),
                          statement(row.points, row.subPoints));
        }
        EXPECT_EQ(deck->slideCount(), slide);
        QStringList ids;
        for (deck::XmlElement entry = deck->element().child("sldIdLst").firstChild(); entry; entry = entry.nextSibling())
            ids << entry.attribute("id").value_or(QString()) << entry.attribute("r:id").value_or(QString());
        EXPECT_EQ(ids.removeDuplicates(), 0);
        deck::detail::OpcPackage package(quillora::testing::readFile(path), path);
        for (int n = 1; n <= deck->slideCount(); ++n)
            EXPECT_TRUE(package.contentType(QStringLiteral("ppt/slides/slide%1.xml").arg(n)).endsWith(QLatin1String("slide+xml")));
    }
}
