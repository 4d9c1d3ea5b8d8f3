// A whole generation with the real engine and the real template: the working
// copy that reaches the desktop holds the plan, and LibreOffice renders it.

#include "builder/DeckHandOff.h"
#include "plan/PlanStore.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/builder/EngineTestSupport.h"
#include "tests/support/LibreOffice.h"
#include "tests/support/TestFiles.h"

#include <QDir>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

using Bullet = SavedParagraph::Bullet;

struct EndToEnd : EngineFixture {
    void SetUp() override
    {
        EngineFixture::SetUp();
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
        plan.value.productName = QStringLiteral("Acme Marketing Plan");
        plan.value.planTitle = QStringLiteral("Growth Plan 2027");
        plan->write(QStringLiteral("FirstStatementMkt_0"), QStringLiteral("Alpha market\r\n- beta detail\r\nGamma point"));
        plan->write(QStringLiteral("FirstStatementMkt_2"), QStringLiteral("   - spaced sub-point"));
        plan->write(QStringLiteral("FirstStatementMkt_7"), QStringLiteral("Press kit"));
        plan->write(QStringLiteral("SecondStatementMkt_3"), QString()); // stored empty
        plan->write(QStringLiteral("SecondStatementMkt_7"), QStringLiteral("Launch in May\r\n"));
    }
    QString workingCopy() const { return folder.path() + QStringLiteral("/marketing_plan_temp.ppt"); }
};

std::vector<QString> texts(const SavedShape& shape)
{
    std::vector<QString> out;
    for (const auto& p : shape.paragraphs)
        out.push_back(p.text);
    while (!out.empty() && out.back().isEmpty())
        out.pop_back();
    return out;
}

void expectParagraph(const SavedParagraph& p, const QString& text, Bullet bullet, int size)
{
    EXPECT_EQ(p.text, text);
    EXPECT_EQ(p.bullet, bullet) << p.text.toStdString();
    for (int s : p.sizes)
        EXPECT_EQ(s, size) << p.text.toStdString();
}

} // namespace

TEST_F(EndToEnd, TheFilledWorkingCopyReachesTheDesktop)
{
    // Holding the application lets the test see the window before hand-off.
    Ref<Application> observer = start();
    const GenerationOutcome outcome = generateMarketPlan(context, plan);

    EXPECT_TRUE(fake.messages.shown.empty()) << (fake.messages.shown.empty() ? "" : fake.messages.shown[0].text.toStdString());
    EXPECT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.deckPath, workingCopy());
    EXPECT_EQ(engineWindowState(observer).activePath, workingCopy());
    EXPECT_EQ(engineWindowState(observer).selectedSlide, 1);
    observer.release();
    // The generator itself writes nothing: the working copy is still the template's copy.
    EXPECT_EQ(readFile(workingCopy()), readFile(realTemplate()));
    EXPECT_TRUE(fake.desktop.files.isEmpty());
    handOffToDesktop(engine, fake.platform);
    EXPECT_EQ(fake.desktop.files, QStringList(workingCopy()));
    // Eighteen pauses of the generator and one per written statement, none slept for real.
    EXPECT_EQ(fake.events.count, 18 + 4);
    EXPECT_EQ(fake.clock.monotonic, (18 + 4) * 500);

    const SavedDeck deck = saved(workingCopy());
    const SavedDeck original = saved(realTemplate());
    ASSERT_EQ(deck.slides.size(), original.slides.size());
    ASSERT_GE(deck.slides.size(), 17u);

    EXPECT_EQ(texts(deck.slides[0].shapes.at(1)), (std::vector<QString>{"Acme ", "Marketing Plan"}));
    EXPECT_EQ(texts(deck.slides[0].shapes.at(0)), (std::vector<QString>{"Growth Plan 2027"}));

    const SavedShape market = *deck.slides[1].named(QStringLiteral("Rectangle 98"));
    ASSERT_GE(market.paragraphs.size(), 3u);
    expectParagraph(market.paragraphs[0], QStringLiteral("Alpha market"), Bullet::Character, 2400);
    expectParagraph(market.paragraphs[1], QStringLiteral("\t- beta detail"), Bullet::Off, 2200);
    expectParagraph(market.paragraphs[2], QStringLiteral("Gamma point"), Bullet::Character, 2400);
    EXPECT_EQ(texts(market).size(), 3u);

    const SavedShape competition = *deck.slides[3].named(QStringLiteral("Rectangle 18"));
    expectParagraph(competition.paragraphs.at(0), QStringLiteral("\t   - spaced sub-point"), Bullet::Off, 2200);
    const SavedShape pr = *deck.slides[8].named(QStringLiteral("Rectangle 3"));
    expectParagraph(pr.paragraphs.at(0), QStringLiteral("Press kit"), Bullet::Character, 2400);
    const SavedShape schedule = *deck.slides[16].named(QStringLiteral("Rectangle 3"));
    expectParagraph(schedule.paragraphs.at(0), QStringLiteral("Launch in May"), Bullet::Character, 2400);
    ASSERT_GE(schedule.paragraphs.size(), 2u);
    EXPECT_EQ(schedule.paragraphs[1].bullet, Bullet::Character); // the empty last line's paragraph

    // Every section that was not filled keeps the template's text.
    for (int slide : {3, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16}) {
        SCOPED_TRACE(slide);
        const char* name = "Rectangle 3";
        const auto now = deck.slides[size_t(slide) - 1].named(QLatin1String(name));
        const auto before = original.slides[size_t(slide) - 1].named(QLatin1String(name));
        ASSERT_TRUE(now && before);
        EXPECT_EQ(now->text(), before->text());
        EXPECT_FALSE(before->text().isEmpty());
    }
}

TEST_F(EndToEnd, LibreOfficeRendersTheFilledDeck)
{
    const OfficeTools office = findOfficeTools();
    if (!office.available())
        GTEST_SKIP() << "LibreOffice or pdftotext is not installed";

    generateMarketPlan(context, plan);
    handOffToDesktop(engine, fake.platform);
    ASSERT_EQ(fake.desktop.files, QStringList(workingCopy()));

    QString error;
    const QString pdf = convertToPdf(office, workingCopy(), folder.path(), &error);
    ASSERT_EQ(pdf, folder.path() + QStringLiteral("/pdf/deck.pdf")) << error.toStdString();
    const QString text = pdfText(office, pdf, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    for (const char* expected : {"Acme", "Marketing Plan", "Growth Plan 2027", "Alpha market", "- beta detail",
                                 "Gamma point", "spaced sub-point", "Press kit", "Launch in May"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
}
