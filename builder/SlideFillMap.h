#pragma once
// Which text goes onto which shape of the template deck, in the order the
// generator writes them, with the report line of each of a row's steps. The
// statement rows come from the section catalogue, which names their slide
// and shape.

#include "plan/SectionCatalogue.h"

#include <array>

namespace quillora {

namespace deck {
class Shape;
class Slide;
} // namespace deck

enum class FillSource {
    ProductLine, // the product name turned into the two-line product line
    PlanTitle,   // the plan title, unchanged
    Statement,   // the row's section's statement, line by line
};

struct FillRow {
    int slide;             // 1-based
    int shapeNumber;       // 1-based; 0 when the shape is found by name
    const char* shapeName; // nullptr when the shape is found by number
    FillSource source;
    const Section* section; // statement rows: the section whose statement it is
    int testLine;          // statement rows: is anything stored?
    int splitLine;         // statement rows: split into lines
    int writeLine;         // write into the shape
    int pauseLine;         // the pause after the row
};

inline constexpr int kFillRowCount = 18;

const std::array<FillRow, kFillRowCount>& slideFillMap();

// The shape of `slide` the generator writes the row into, found by name or
// number as the generator finds it; nullptr when there is none.
deck::Shape* rowShape(deck::Slide& slide, const FillRow& row);

} // namespace quillora
