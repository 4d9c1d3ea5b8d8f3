#include "ui/GenerateCommand.h"

namespace quillora {

void GenerateCommand::run(const GenerationProgress& progress)
{
    GuardedProcedure proc(m_report, kGenerateCommandLocation);
    if (proc.test(100, [&] { return m_busy; }))
        return;
    proc.step(102, [&] {
        m_busy = true;
        m_stopRequested = false;
    });
    // A warning that fails gives no answer; the generator runs anyway.
    if (proc.test(104, [&] { return !m_hooks.warnIfPresentationAppOpen(); }))
        proc.step(106, [&] {
            m_hooks.generateMarketPlan(
                GenerationRun{m_plan, progress, [this] { return m_stopRequested; }, m_continueLongSections});
        });
    proc.step(114, [&] { m_busy = false; });
}

} // namespace quillora
