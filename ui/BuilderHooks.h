#pragma once
// The presentation builder's entry points the window calls. Injected so the
// window can start and be tested without the builder.

#include "builder/BuilderEntryPoints.h"

#include <functional>

namespace quillora {

struct BuilderHooks {
    std::function<void()> checkPowerPointInstalled; // last step of the start-up
    std::function<bool()> warnIfPowerPointOpen;     // true = the user chose to stop
    std::function<void()> generateMarketPlan;
};

// The hooks of the real builder; it must outlive them.
inline BuilderHooks builderHooks(BuilderEntryPoints& builder)
{
    return BuilderHooks{
        [&builder] { builder.checkInstalled(); },
        [&builder] { return builder.warnIfOpen(); },
        [&builder] { builder.generate(); },
    };
}

} // namespace quillora
