#pragma once
// The presentation builder's entry points the window calls. Injected so the
// window can start and be tested without the builder.

#include "builder/BuilderEntryPoints.h"

#include <functional>

namespace quillora {

// Told how many of a run's slides are done, after each one.
using GenerationProgress = std::function<void(int done, int total)>;

// What one run fills from and whom it tells.
struct GenerationRun {
    const Plan& plan; // the window's plan, read as each row comes up
    GenerationProgress progress;
    std::function<bool()> stopRequested; // true: end after the current slide
    bool continueLongSections = false;   // as the Tools menu said when the run began
};

struct BuilderHooks {
    std::function<void()> checkPresentationAppInstalled; // last step of the start-up
    std::function<bool()> warnIfPresentationAppOpen;     // true = the user chose to stop
    std::function<void(const GenerationRun&)> generateMarketPlan;
};

// The hooks of the real builder; it must outlive them.
inline BuilderHooks builderHooks(BuilderEntryPoints& builder)
{
    return BuilderHooks{
        [&builder] { builder.checkInstalled(); },
        [&builder] { return builder.warnIfOpen(); },
        [&builder](const GenerationRun& run) { builder.generate(run.plan, run.progress, run.stopRequested, run.continueLongSections); },
    };
}

} // namespace quillora
