#include "builder/SectionFit.h"

#include "builder/SlideFillMap.h"
#include "builder/MarketingPlanGenerator.h"
#include "layout/ShapeText.h"

#include <cmath>

namespace quillora {
int wholePercent(int thousandths)
{
    return static_cast<int>(std::lround(thousandths / 1000.0));
}

layout::FitResult fitSectionText(const layout::ShapeText& text, layout::TextLayouter& layouter)
{
    return layouter.fit(text, kReadableFontScale);
}

FitVerdict fitVerdict(const layout::FitResult& fit)
{
    FitVerdict verdict;
    verdict.percent = wholePercent(fit.scale.fontScale);
    if (!fit.fits) {
        verdict.kind = FitVerdict::Kind::TooLong;
        verdict.linesOver = fit.linesOver;
        verdict.shrinks = !fit.scale.isFull();
    } else if (fit.scale.isFull()) {
        verdict.kind = FitVerdict::Kind::Fits;
    } else if (fit.scale.fontScale == 100000) {
        verdict.kind = FitVerdict::Kind::TighterLines;
        verdict.percent = wholePercent(fit.scale.lineSpacingReduction);
    } else {
        verdict.kind = FitVerdict::Kind::Shrinks;
    }
    return verdict;
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
            section.fit = fitSectionText(layout::readShapeText(*shape), layouter);
        fits.push_back(section);
    }
    return fits;
}

} // namespace quillora
