#include "builder/SlideFillMap.h"

#include "deck/Deck.h"

namespace quillora {
namespace {

constexpr FillRow statementRow(int slide, const char* shapeName, const char* key, int testLine)
{
    return FillRow{slide, 0, shapeName, FillSource::Statement, key, testLine, testLine + 2, testLine + 4, testLine + 4};
}

// The template's shape names are not uniform; these are the names its
// statement slides carry.
constexpr std::array<FillRow, kFillRowCount> kMap{{
    {1, 2, nullptr, FillSource::ProductLine, nullptr, 0, 0, 110, 112},
    {1, 1, nullptr, FillSource::PlanTitle, nullptr, 0, 0, 114, 116},
    statementRow(2, "Rectangle 98", "FirstStatementMkt_0", 120),
    statementRow(3, "Rectangle 3", "FirstStatementMkt_1", 126),
    statementRow(4, "Rectangle 18", "FirstStatementMkt_2", 132),
    statementRow(5, "Rectangle 3", "FirstStatementMkt_3", 138),
    statementRow(6, "Rectangle 3", "FirstStatementMkt_4", 144),
    statementRow(7, "Rectangle 3", "FirstStatementMkt_5", 150),
    statementRow(8, "Rectangle 3", "FirstStatementMkt_6", 156),
    statementRow(9, "Rectangle 3", "FirstStatementMkt_7", 162),
    statementRow(10, "Rectangle 3", "SecondStatementMkt_0", 168),
    statementRow(11, "Rectangle 3", "SecondStatementMkt_1", 174),
    statementRow(12, "Rectangle 3", "SecondStatementMkt_2", 180),
    statementRow(13, "Rectangle 3", "SecondStatementMkt_3", 186),
    statementRow(14, "Rectangle 3", "SecondStatementMkt_4", 192),
    statementRow(15, "Rectangle 3", "SecondStatementMkt_5", 198),
    statementRow(16, "Rectangle 3", "SecondStatementMkt_6", 204),
    statementRow(17, "Rectangle 3", "SecondStatementMkt_7", 210),
}};

} // namespace

const std::array<FillRow, kFillRowCount>& slideFillMap()
{
    return kMap;
}

deck::Shape* rowShape(deck::Slide& slide, const FillRow& row)
{
    if (!row.shapeName)
        return row.shapeNumber <= slide.shapeCount() ? &slide.shape(row.shapeNumber) : nullptr;
    try {
        return &slide.shape(QString::fromUtf8(row.shapeName));
    } catch (const deck::DeckError& error) {
        if (error.kind() == deck::DeckError::Kind::NoSuchName)
            return nullptr;
        throw;
    }
}

} // namespace quillora
