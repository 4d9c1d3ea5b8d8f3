#pragma once
// The "Start Creating Template" command: warn when PowerPoint already runs,
// then fill the presentation. A press that arrives while a run is in progress
// (the generator lets window events through in its pauses) is turned away.

#include "ui/BuilderHooks.h"
#include "core/ErrorReport.h"

namespace quillora {

class GenerateCommand {
public:
    // Fills from `plan`, the window's own.
    GenerateCommand(ErrorReport& report, const BuilderHooks& hooks, const Plan& plan)
        : m_report(report), m_hooks(hooks), m_plan(plan)
    {
    }

    // `progress` hears how far the generator has got.
    void run(const GenerationProgress& progress = {});
    bool isBusy() const { return m_busy; }
    // The run in progress ends after the slide it is on.
    void requestStop() { m_stopRequested = true; }
    // Taken by the next run as it starts.
    void setContinueLongSections(bool on) { m_continueLongSections = on; }
    bool continuesLongSections() const { return m_continueLongSections; }

private:
    ErrorReport& m_report;
    const BuilderHooks& m_hooks;
    const Plan& m_plan;
    bool m_busy = false;
    bool m_stopRequested = false;
    bool m_continueLongSections = false;
};

} // namespace quillora
