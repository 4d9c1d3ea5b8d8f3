#pragma once
// A plan filled into the built template by the command's generator, and the
// plan read back from the deck it makes.

#include "builder/DeckReader.h"
#include "cli/GeneratorFiller.h"
#include "deck/Deck.h"
#include "plan/PlanFileWriter.h"
#include "plan/SectionCatalogue.h"
#include "tests/support/BuiltTemplate.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace quillora::testing {

// Every section at its hint, then the given statements over them.
inline PlanDocument fullPlan(const QString& productName, const QString& planTitle,
                             const std::map<QString, QString>& statements = {})
{
    PlanDocument plan{productName, planTitle, {}, true, true};
    for (const Section& section : allSections())
        plan.statements[section.key()] = section.hint();
    for (const auto& [key, statement] : statements)
        plan.statements[key] = statement;
    return plan;
}

inline QByteArray filledDeck(const PlanDocument& plan)
{
    const std::unique_ptr<PlanStore> store = makeInMemoryPlanStore(plan);
    const FilledDeck filled = generatorFiller()(builtTemplatePath(), TitleTexts{plan.productName, plan.planTitle}, *store);
    EXPECT_TRUE(filled.failures.empty()) << filled.failures.front().description.toStdString();
    return filled.bytes;
}

inline DeckReading readBack(const QByteArray& deckBytes)
{
    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(deckBytes);
    const std::unique_ptr<deck::Presentation> templateDeck = deck::Presentation::open(builtTemplatePath());
    return readPlanFromDeck(*deck, templateDeck.get());
}

inline QString key(int section)
{
    return allSections()[size_t(section)].key();
}

struct HostilePlanRow {
    const char* name;
    PlanDocument plan;
};

inline std::vector<HostilePlanRow> hostilePlans()
{
    const QString longLine = QStringLiteral("Quarterly growth \u00e9 \u4e2d \U0001F680 ").repeated(4000);
    QStringList manyLines;
    for (int i = 0; i < 1500; ++i)
        manyLines << (i % 3 ? QStringLiteral("Point %1").arg(i) : QStringLiteral("  - detail %1").arg(i));
    return {
        {"ControlCharacters",
         fullPlan(QStringLiteral("Acme\u0001\u001f"), QStringLiteral("\u0007 bell\ttab"),
                  {{key(0), QStringLiteral("nul \u0000 and \u001b escape\r\n- \u0008\u007f\uFFFE\uFFFF")},
                   {key(1), QStringLiteral("_x000D_ written as it looks\r\n\ufeffopens with U+FEFF")}})},
        {"LoneLineBreaks",
         fullPlan(QStringLiteral("Line\nfed"), QStringLiteral("a\nb\n"),
                  {{key(2), QStringLiteral("lone\nfeed\n\r\nx\n")}, {key(3), QStringLiteral("\nopens with one\r\n- sub\npoint")}})},
        {"EmptyStatements",
         fullPlan(QString(), QString(),
                  {{key(4), QString()}, {key(5), QStringLiteral("\r\n")}, {key(6), QStringLiteral("\r\n\r\n")},
                   {key(7), QStringLiteral("   ")}, {key(8), QStringLiteral("one\r\n")}, {key(15), QString()}})},
        {"VeryLongLines", fullPlan(longLine, QStringLiteral("Long"), {{key(9), longLine}, {key(10), manyLines.join(QStringLiteral("\r\n"))}})},
        {"LinesThatLookLikeSubPoints",
         fullPlan(QStringLiteral("Acme\r\nRocket Skates"), QStringLiteral("marketing plan 2027"),
                  {{key(11), QStringLiteral("\t- a point led by a tab\r\n-\r\n   -three spaces\r\n\u2013 en dash\r\n- \t- sub")},
                   {key(12), QStringLiteral("\U0001F680 \u2028 \U0001D518\r\n\u05E9\u05DC\u05D5\u05DD")}})},
    };
}

// Plan files compare as text, so a difference shows where it is.
inline std::string planText(const PlanDocument& plan)
{
    return planFileJson(plan).toStdString();
}

} // namespace quillora::testing
