#pragma once
// The builder as the program starts it: an automation runtime serving the
// engine's presentation application, and the three entry points the main
// window calls (installed check, open warning, generation).

#include "builder/AutomationRuntime.h"
#include "builder/SlideOneTexts.h"
#include "shell/BuilderHooks.h"
#include "shell/Platform.h"

namespace quillora {

class BuilderEntryPoints {
public:
    explicit BuilderEntryPoints(Platform& platform);

    // The hooks call back into this object, which must outlive them.
    BuilderHooks hooks();
    // Where generation reads the two slide-1 texts; the window, once it exists.
    void setSlideOneTexts(const SlideOneTexts& texts) { m_slideOne = &texts; }
    automation::AutomationRuntime& runtime() { return m_runtime; }

private:
    Platform& m_platform;
    automation::AutomationRuntime m_runtime;
    const SlideOneTexts* m_slideOne = nullptr;
};

} // namespace quillora
