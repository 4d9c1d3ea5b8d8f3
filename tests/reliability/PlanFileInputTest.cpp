// Hostile text in JSON plan files: what the fuzzer found, kept as cases.

#include "plan/PlanFile.h"

#include <gtest/gtest.h>

using namespace quillora;

TEST(PlanFileHostileText, LineBreaksAreNormalisedBesideALoneSurrogate)
{
    // A lone surrogate is not valid UTF-16; a regular expression refuses the
    // whole text and used to leave every line break as it was.
    const QString lone = QString(QChar(0xD83D));
    EXPECT_EQ(normaliseLineBreaks(QStringLiteral("Q1\rQ2\n") + lone + QStringLiteral("\r\nQ3")),
              QStringLiteral("Q1\r\nQ2\r\n") + lone + QStringLiteral("\r\nQ3"));

    const PlanDocument plan = parsePlanJson(R"({"sections": {"Pricing": "a\rb\n\ud83d c"}})", QStringLiteral("p.json"));
    EXPECT_EQ(plan.statements.at(QStringLiteral("SecondStatementMkt_2")),
              QStringLiteral("a\r\nb\r\n") + lone + QStringLiteral(" c"));
}

TEST(PlanFileHostileText, CharactersOutsideTheBasicPlaneAndRightToLeftTextPassUnchanged)
{
    const PlanDocument plan = parsePlanJson(
        "{\"sections\": {\"Market Summary\": [\"\xF0\x9F\x9A\x80 rocket\", \"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\"]}}",
        QStringLiteral("p.json"));
    EXPECT_EQ(plan.statements.at(QStringLiteral("FirstStatementMkt_0")),
              QString::fromUtf8("\xF0\x9F\x9A\x80 rocket\r\n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"));
}
