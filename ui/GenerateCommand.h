#pragma once
// The "Start Creating Template" command: warn when PowerPoint already runs,
// then fill the presentation. A press that arrives while a run is in progress
// (the generator lets window events through in its pauses) is turned away.

#include "ui/BuilderHooks.h"
#include "core/ErrorReport.h"

namespace quillora {

class GenerateCommand {
public:
    GenerateCommand(ErrorReport& report, const BuilderHooks& hooks) : m_report(report), m_hooks(hooks) {}

    // `progress` hears how far the generator has got.
    void run(const GenerationProgress& progress = {});
    bool isBusy() const { return m_busy; }

private:
    ErrorReport& m_report;
    const BuilderHooks& m_hooks;
    bool m_busy = false;
};

} // namespace quillora
