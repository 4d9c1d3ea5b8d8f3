// A statement laid out without writing it (what a fit meter does at every
// keystroke) comes out as the same lines as the statement written into the
// template by the real shape text writer: same breaks, same places, same fit.

#include "builder/StatementText.h"
#include "deck/Deck.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "tests/layout/LayoutSamples.h"
#include "tests/support/BuiltTemplate.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quillora {
namespace {

QString describe(const layout::LaidOutText& text)
{
    QStringList lines;
    for (const layout::LaidOutLine& line : text.lines) {
        lines << QStringLiteral("%1 @%2,%3 %4pt%5")
                     .arg(line.text)
                     .arg(line.segments.empty() ? -1 : line.segments.front().x)
                     .arg(line.baseline)
                     .arg(line.segments.empty() ? 0 : line.segments.front().size)
                     .arg(line.bullet ? QStringLiteral(" bullet ") + line.bullet->text : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

TEST(StatementText, LaysOutAsTheWrittenStatement)
{
    const StatementText statement(testing::builtTemplatePath(), QStringLiteral("FirstStatementMkt_1"));
    std::vector<QStringList> statements;
    for (const testing::SampleSection& sample : testing::sampleSections(1))
        statements.push_back(sample.lines);
    statements.push_back({QString(), QStringLiteral("after an empty line"), QStringLiteral("a\nline break"),
                          QStringLiteral("   - indented sub-point"), QStringLiteral("\t- a tab first is no sub-point")});
    statements.push_back({});
    layout::TextLayouter layouter;
    for (const QStringList& lines : statements) {
        SCOPED_TRACE(lines.join(QLatin1Char('|')).left(60).toStdString());
        QFile file(testing::builtTemplatePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto deck = deck::Presentation::fromBytes(
            testing::filledThroughEngine(file.readAll(), {{3, QStringLiteral("Rectangle 3"), lines}}));
        const layout::ShapeText written = layout::readShapeText(deck->slide(3).shape(QStringLiteral("Rectangle 3")));
        const layout::ShapeText predicted = statement.shapeText(lines);
        const layout::FitResult fit = layouter.fit(predicted);
        EXPECT_EQ(fit.scale, layouter.fit(written).scale);
        EXPECT_EQ(describe(layouter.layOut(predicted, fit.scale)).toStdString(),
                  describe(layouter.layOut(written, fit.scale)).toStdString());
    }
}

} // namespace
} // namespace quillora
