#include "cli/GeneratorFiller.h"

#include "builder/AutomationRuntime.h"
#include "builder/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideOneTexts.h"

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
    return [](Platform& platform, const TitleTexts& titles) {
        // A runtime of its own per run: the engine's application lives and
        // ends (writing the deck and handing it to the desktop) inside it.
        automation::AutomationRuntime runtime;
        automation::registerEngineApplication(runtime, platform);
        const BuilderContext context{platform, runtime, /*pausesEnabled=*/false};
        generateMarketPlan(context, PlanTitles(titles));
    };
}

} // namespace quillora
