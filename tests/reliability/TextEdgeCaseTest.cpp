// Statements that are easy to damage on their way from the keyboard to the
// deck: characters outside the basic plane, right-to-left text, a megabyte
// of text, text made only of line breaks. Each must come back from the plan
// store exactly (also in a fresh process) and reach the deck unchanged in
// content: one paragraph per line, sub-points led by their tab.

#include "builder/MarketingPlanGenerator.h"
#include "plan/Plan.h"
#include "plan/PlanStore.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/builder/EngineTestSupport.h"
#include "tests/reliability/EdgeTexts.h"
#include "tests/reliability/ProbeProcess.h"

#include <QRegularExpression>
#include <QSettings>

using namespace quillora;
using namespace quillora::testing;

namespace {

struct EdgeCase {
    const char* key;
    int slideIndex; // 0-based index into the saved deck's slides
    const char* shape;
    QString statement;
};

std::vector<EdgeCase> edgeCases()
{
    return {
        {"FirstStatementMkt_0", 1, "Rectangle 98", edge::outsideTheBasicPlane()},
        {"FirstStatementMkt_1", 2, "Rectangle 3", edge::rightToLeft()},
        {"FirstStatementMkt_2", 3, "Rectangle 18", edge::onlyLineBreaks()},
        {"FirstStatementMkt_3", 4, "Rectangle 3", edge::megabyteLine()},
        {"FirstStatementMkt_4", 5, "Rectangle 3", edge::megabyteOfLines()},
    };
}

// What the shape text writer makes of a statement: one paragraph per line,
// a sub-point led by a tab, and the empty paragraph after the last line.
std::vector<QString> expectedParagraphs(const QString& statement)
{
    std::vector<QString> paragraphs;
    for (const QString& line : statement.split(QStringLiteral("\r\n"))) {
        const bool subPoint = line.trimmed().startsWith(QLatin1Char('-')) &&
                              line.indexOf(QLatin1Char('-')) == line.indexOf(QRegularExpression(QStringLiteral("[^ ]")));
        paragraphs.push_back(subPoint ? QLatin1Char('\t') + line : line);
    }
    paragraphs.push_back(QString());
    return paragraphs;
}

struct TextEdgeCases : EngineFixture {
    void SetUp() override
    {
        EngineFixture::SetUp();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"), QStringLiteral("Quillora"))
            .clear();
        fake.environment.program = QStringLiteral(QUILLORA_BIN_DIR);
        fake.environment.vars[QStringLiteral("TEMP")] = folder.path();
        // Through the user's store and back, as the window reads them at start.
        const std::unique_ptr<PlanStore> store = openUserPlanStore();
        for (const EdgeCase& c : cases)
            store->write(QLatin1String(c.key), c.statement);
        plan.value = readPlan(*store);
    }

    std::vector<EdgeCase> cases = edgeCases();
};

} // namespace

TEST_F(TextEdgeCases, AreStoredExactly)
{
    SettingsHome home(qEnvironmentVariable("XDG_CONFIG_HOME"));
    QStringList keys;
    for (const EdgeCase& c : cases)
        keys << QLatin1String(c.key);
    const QJsonObject onDisk = home.dump(keys);

    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_TRUE(plan.value.value(QLatin1String(c.key)) == c.statement);
        EXPECT_TRUE(onDisk[QLatin1String(c.key)].toString() == c.statement) << "as read by a fresh process";
    }
}

TEST_F(TextEdgeCases, ReachTheDeckUnchangedInContent)
{
    plan.value.productName = QStringLiteral("\U0001F680 Rocket \u05E9\u05DC\u05D5\u05DD Marketing Plan");
    plan.value.planTitle = QStringLiteral("\r\n\r\n");
    runAsWindow(context, plan);
    EXPECT_TRUE(fake.messages.shown.empty())
        << (fake.messages.shown.empty() ? "" : fake.messages.shown.front().text.toStdString());

    const SavedDeck deck = saved(folder.path() + QStringLiteral("/marketing_plan_temp.ppt"));
    ASSERT_GE(deck.slides.size(), 17u);
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.key);
        const std::optional<SavedShape> shape = deck.slides[static_cast<size_t>(c.slideIndex)].named(QLatin1String(c.shape));
        ASSERT_TRUE(shape);
        std::vector<QString> written;
        for (const SavedParagraph& p : shape->paragraphs)
            written.push_back(p.text);
        const std::vector<QString> expected = expectedParagraphs(c.statement);
        ASSERT_EQ(written.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_TRUE(written[i] == expected[i]) << "paragraph " << i;
    }

    // Slide 1: the product line keeps its characters outside the basic
    // plane; a title of line breaks stays line breaks.
    const SavedSlide& first = deck.slides[0];
    ASSERT_GE(first.shapes.size(), 2u);
    EXPECT_TRUE(first.shapes[1].text() == QStringLiteral("\U0001F680 Rocket \u05E9\u05DC\u05D5\u05DD \rMarketing Plan"))
        << first.shapes[1].text().toStdString();
}
