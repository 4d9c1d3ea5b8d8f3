#include "builder/SlideFillMap.h"

#include "deck/Deck.h"

namespace quillora {
namespace {

// A statement row's steps: test, split and write, two report lines apart,
// six lines per row from 120 on; its pause shares the write's line.
FillRow statementRow(const Section& section)
{
    const int testLine = 120 + 6 * section.index();
    return FillRow{section.slide, 0,           section.shapeName, FillSource::Statement, &section,
                   testLine,      testLine + 2, testLine + 4,     testLine + 4};
}

std::array<FillRow, kFillRowCount> buildMap()
{
    std::array<FillRow, kFillRowCount> map{{
        {1, 2, nullptr, FillSource::ProductLine, nullptr, 0, 0, 110, 112},
        {1, 1, nullptr, FillSource::PlanTitle, nullptr, 0, 0, 114, 116},
    }};
    for (const Section& section : allSections())
        map[size_t(2 + section.index())] = statementRow(section);
    return map;
}

} // namespace

const std::array<FillRow, kFillRowCount>& slideFillMap()
{
    static const std::array<FillRow, kFillRowCount> map = buildMap();
    return map;
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
