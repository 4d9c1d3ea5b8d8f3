#pragma once
// A plan filled into the built template by the command's generator, and the
// plan read back from the deck it makes.

#include "builder/DeckReader.h"
#include "cli/GeneratorFiller.h"
#include "deck/Deck.h"
#include "plan/PlanFileWriter.h"
#include "tests/support/BuiltTemplate.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace quillora::testing {

// Every section at its hint, then the given statements (by section index) over them.
inline Plan fullPlan(const QString& productName, const QString& planTitle, const std::map<int, QString>& statements = {})
{
    Plan plan{productName, planTitle, {}};
    for (const Section& section : allSections())
        plan.statement(section) = section.hint();
    for (const auto& [index, statement] : statements)
        plan.statements[size_t(index)] = statement;
    return plan;
}

inline QByteArray filledDeck(const Plan& plan)
{
    const FilledDeck filled = generatorFiller()(builtTemplatePath(), plan, false);
    EXPECT_TRUE(filled.failures.empty()) << filled.failures.front().description.toStdString();
    return filled.bytes;
}

// Plans compare as plan files, so a difference shows where it is.
inline std::string planText(const Plan& plan)
{
    return planFileJson(documentOf(plan)).toStdString();
}

} // namespace quillora::testing
