#include "builder/BuilderEntryPoints.h"
#include "builder/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "builder/PowerPointChecks.h"

namespace quillora {

BuilderEntryPoints::BuilderEntryPoints(Platform& platform) : m_platform(platform)
{
    automation::registerEngineApplication(m_runtime, m_platform);
}

void BuilderEntryPoints::checkInstalled()
{
    checkPresentationAppInstalled(m_platform, m_runtime);
}

bool BuilderEntryPoints::warnIfOpen()
{
    return warnIfPresentationAppOpen(m_platform, m_runtime);
}

void BuilderEntryPoints::generate()
{
    // Reported by the generate command's own guard when nobody set the texts.
    if (!m_slideOne)
        throw RuntimeError(QLatin1String(automation::kObjectVariableNotSet));
    generateMarketPlan(BuilderContext{m_platform, m_runtime}, *m_slideOne);
}

} // namespace quillora
