#pragma once
// The builder as the program starts it: an automation runtime serving the
// engine's presentation application, and the three entry points the main
// window calls (installed check, open warning, generation).

#include "automation/AutomationRuntime.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/PresentationAppChecks.h"
#include "core/Platform.h"

#include <functional>

namespace quillora {

class BuilderEntryPoints {
public:
    BuilderEntryPoints(Platform& platform);

    // Once, at the end of the window's start-up.
    void checkInstalled();
    // True when the user chose to stop because the application already runs.
    bool warnIfOpen();
    // One run: fills a working copy of the template beside the program in
    // the temporary folder with `plan`, with each failed step shown as an
    // error report, then hands the deck to the desktop. `progress` hears of
    // each row; a run that `stop` ends early hands nothing over. Long
    // sections continue on further slides when asked.
    GenerationOutcome generate(const Plan& plan, const std::function<void(int done, int total)>& progress = {},
                               const std::function<bool()>& stop = {}, bool continueLongSections = false);
    // How the checks name the application serving: the one the program
    // registered (the engine's words until then).
    void setPresentationApp(const PresentationAppWords& app) { m_app = app; }
    automation::AutomationRuntime& runtime() { return m_runtime; }
    // The engine that serves when no office does; its decks are handed to
    // the desktop after each run.
    automation::EngineServer& engine() { return m_engine; }

private:
    Platform& m_platform;
    automation::AutomationRuntime m_runtime;
    automation::EngineServer m_engine;
    PresentationAppWords m_app;
};

} // namespace quillora
