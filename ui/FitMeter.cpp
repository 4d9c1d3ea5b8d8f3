#include "ui/FitMeter.h"

#include "builder/MarketingPlanGenerator.h"
#include "ui/TemplateView.h"

namespace quillora {

FitMeter::FitMeter(TemplateView& view) : m_view(view) {}

FitMeter::~FitMeter() = default;

std::optional<FitVerdict> FitMeter::measure(Strip strip, const Section& section, const QString& statement)
{
    // An empty statement leaves the template's own text on the slide.
    if (statement.isEmpty())
        return std::nullopt;
    const StatementText* text = m_view.statement(section);
    if (!text)
        return std::nullopt;
    auto& layouter = m_layouters[strip == Strip::First ? 0 : 1];
    if (!layouter)
        layouter = std::make_unique<layout::TextLayouter>();
    return fitVerdict(fitSectionText(text->shapeText(statementLines(statement)), *layouter));
}

QString FitMeter::line(const std::optional<FitVerdict>& verdict)
{
    if (!verdict)
        return QString();
    switch (verdict->kind) {
    case FitVerdict::Kind::Fits:
    case FitVerdict::Kind::TighterLines: // the fonts keep their size
        return tr("Fits its slide");
    case FitVerdict::Kind::Shrinks:
        return tr("Shrinks to %1 % to fit its slide").arg(verdict->percent);
    case FitVerdict::Kind::TooLong:
        break;
    }
    return verdict->linesOver == 1
               ? tr("Too long for its slide: about 1 line over at the smallest size")
               : tr("Too long for its slide: about %1 lines over at the smallest size").arg(verdict->linesOver);
}

} // namespace quillora
