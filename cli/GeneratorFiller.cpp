#include "cli/GeneratorFiller.h"
#include "cli/CommandText.h"

#include "automation/AutomationRuntime.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "core/RuntimeError.h"

namespace quillora {
DeckFiller generatorFiller()
{
    return [](const QString& templatePath, const Plan& plan, bool continueLongSections) {
        automation::EngineServer engine;
        automation::AutomationRuntime runtime;
        engine.registerWith(runtime);
        CollectedFailures failures;
        const BuilderContext context{runtime, failures};
        const GenerationOutcome outcome =
            generateMarketPlan(context, GenerationRequest{templatePath, QString(), continueLongSections}, plan);
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
