#include "builder/SectionFit.h"

#include "builder/SlideFillMap.h"
#include "builder/MarketingPlanGenerator.h"
#include "layout/ShapeText.h"

namespace quillora {

layout::FitResult readableFit(const layout::ShapeText& text, layout::TextLayouter& layouter)
{
    return layouter.fit(text, kReadableFontScale);
}

std::vector<QStringList> continuationPieces(const QStringList& lines,
                                            const std::function<bool(const QStringList&)>& fits)
{
    std::vector<QStringList> points;
    for (const QString& line : lines) {
        if (points.empty() || !(isSubPointLine(line) || line.trimmed().isEmpty()))
            points.emplace_back();
        points.back() << line;
    }
    std::vector<QStringList> pieces;
    for (const QStringList& point : points) {
        if (!pieces.empty() && fits(pieces.back() + point))
            pieces.back() << point;
        else
            pieces.push_back(point);
    }
    return pieces;
}

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
            section.fit = readableFit(layout::readShapeText(*shape), layouter);
        fits.push_back(section);
    }
    return fits;
}

} // namespace quillora
