// A long statement cut into slides' worth, measured here by line count.

#include "builder/SectionFit.h"

#include <gtest/gtest.h>

TEST(ContinuationPieces, CutsBetweenPointsOnly)
{
    const struct {
        QStringList lines;
        qsizetype linesPerSlide;
        std::vector<QStringList> pieces;
    } rows[] = {
        {{"A", "B", "C", "D", "E"}, 2, {{"A", "B"}, {"C", "D"}, {"E"}}},
        {{"A", "- a1", "- a2", "B", "- b1"}, 4, {{"A", "- a1", "- a2"}, {"B", "- b1"}}},
        {{"A", "B", "- b1", "- b2", "C"}, 2, {{"A"}, {"B", "- b1", "- b2"}, {"C"}}}, // too long, kept whole
        {{"  - x", "- y", "A", "", "B"}, 2, {{"  - x", "- y"}, {"A", ""}, {"B"}}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(quillora::continuationPieces(row.lines, [&](const QStringList& piece) { return piece.size() <= row.linesPerSlide; }),
                  row.pieces);
}
