#include "builder/SectionFit.h"

#include "builder/SlideFillMap.h"
#include "layout/ShapeText.h"

namespace quillora {

std::vector<SectionFit> fitSections(deck::Presentation& filled, layout::TextLayouter& layouter)
{
    std::vector<SectionFit> fits;
    for (const FillRow& row : slideFillMap()) {
        if (row.source != FillSource::Statement)
            continue;
        SectionFit section;
        section.slide = row.slide;
        section.key = row.section->key();
        deck::Shape* shape = row.slide <= filled.slideCount() ? rowShape(filled.slide(row.slide), row) : nullptr;
        section.hasShape = shape && shape->hasTextFrame();
        if (section.hasShape)
            section.fit = layouter.fit(layout::readShapeText(*shape), kReadableFontScale);
        fits.push_back(section);
    }
    return fits;
}

} // namespace quillora
