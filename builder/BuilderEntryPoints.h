#pragma once
// The builder as the program starts it: an automation runtime serving the
// engine's presentation application, and the three entry points the main
// window calls (installed check, open warning, generation).

#include "builder/AutomationRuntime.h"
#include "builder/SlideOneTexts.h"
#include "core/Platform.h"

namespace quillora {

class BuilderEntryPoints {
public:
    explicit BuilderEntryPoints(Platform& platform);

    // Once, at the end of the window's start-up.
    void checkInstalled();
    // True when the user chose to stop because the application already runs.
    bool warnIfOpen();
    void generate();
    // Where generation reads the two slide-1 texts; the window, once it exists.
    void setSlideOneTexts(const SlideOneTexts& texts) { m_slideOne = &texts; }
    automation::AutomationRuntime& runtime() { return m_runtime; }

private:
    Platform& m_platform;
    automation::AutomationRuntime m_runtime;
    const SlideOneTexts* m_slideOne = nullptr;
};

} // namespace quillora
