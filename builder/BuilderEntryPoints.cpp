#include "builder/BuilderEntryPoints.h"
#include "builder/DeckHandOff.h"
#include "automation/OfficeServerChoice.h"
#include "builder/PresentationAppChecks.h"
#include "builder/WorkingCopy.h"
#include "core/AppTitle.h"

namespace quillora {

BuilderEntryPoints::BuilderEntryPoints(Platform& platform)
    : m_platform(platform), m_app(office::presentationAppWords(office::ServerChoice{}))
{
    m_engine.registerWith(m_runtime);
}

void BuilderEntryPoints::checkInstalled()
{
    checkPresentationAppInstalled(m_platform, m_runtime, m_app);
}

bool BuilderEntryPoints::warnIfOpen()
{
    return warnIfPresentationAppOpen(m_platform, m_runtime, m_app);
}

GenerationOutcome BuilderEntryPoints::generate(const Plan& plan,
                                               const std::function<void(int done, int total)>& progress,
                                               const std::function<bool()>& stop, bool continueLongSections)
{
    // A temporary folder that cannot take the working copy is told in one
    // plain message, not as a failing step of the run.
    if (const std::optional<QString> refusal = workingCopyRefusal(*m_platform.environment)) {
        m_platform.messages->show(applicationTitle(), *refusal, MessageIcon::Warning, MessageButtons::Ok);
        return {};
    }
    ErrorReport report(*m_platform.messages);
    const BuilderContext context{m_runtime, report, m_platform.clock, m_platform.events, progress, stop};
    Environment& environment = *m_platform.environment;
    const GenerationRequest request{templateDeckPath(environment), workingCopyPath(environment),
                                    continueLongSections};
    const GenerationOutcome outcome = generateMarketPlan(context, request, plan);
    // A deck stopped half-way is nobody's: the engine's copy is dropped.
    if (outcome.stopped)
        m_engine.discardOpenDecks();
    else
        handOffToDesktop(m_engine, m_platform);
    return outcome;
}

} // namespace quillora
