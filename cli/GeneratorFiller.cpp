#include "cli/GeneratorFiller.h"
#include "cli/CommandText.h"

#include "automation/AutomationRuntime.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideOneTexts.h"
#include "core/RuntimeError.h"

namespace quillora {
namespace {

class PlanTitles final : public SlideOneTexts {
public:
    explicit PlanTitles(const TitleTexts& titles) : m_titles(titles) {}
    QString productName() const override { return m_titles.productName; }
    QString planTitle() const override { return m_titles.planTitle; }

private:
    const TitleTexts& m_titles;
};

} // namespace

DeckFiller generatorFiller()
{
    return [](const QString& templatePath, const TitleTexts& titles, PlanStore& plan) {
        automation::EngineServer engine;
        automation::AutomationRuntime runtime;
        engine.registerWith(runtime);
        CollectedFailures failures;
        const BuilderContext context{runtime, failures, plan};
        const GenerationOutcome outcome = generateMarketPlan(context, GenerationRequest{templatePath, QString()},
                                                             PlanTitles(titles));
        FilledDeck filled;
        filled.failures = std::move(failures.failures);
        if (outcome.opened && filled.failures.empty()) {
            try {
                filled.bytes = engine.packOpenDeck(outcome.deckPath);
            } catch (const RuntimeError& e) {
                throw RuntimeError(CommandText::tr("the filled deck could not be written: ") + e.description());
            }
        }
        return filled;
    };
}

} // namespace quillora
