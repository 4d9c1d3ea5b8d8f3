#include "automation/AutomationRuntime.h"

namespace quillora::automation {

void AutomationRuntime::registerClass(const QString& className, Factory factory, Finder finder)
{
    m_classes[className] = ClassEntry{std::move(factory), std::move(finder), {}};
}

Ref<Application> AutomationRuntime::CreateObject(const QString& className)
{
    auto it = m_classes.find(className);
    if (it == m_classes.end() || !it->second.factory)
        throw RuntimeError(RuntimeError::tr(kCannotCreateObject));
    if (std::shared_ptr<Application> running = it->second.running.lock())
        return running;
    std::shared_ptr<Application> started = it->second.factory();
    if (!started)
        throw RuntimeError(RuntimeError::tr(kCannotCreateObject));
    it->second.running = started;
    return started;
}

Ref<Application> AutomationRuntime::GetObject(const QString& className)
{
    auto it = m_classes.find(className);
    if (it != m_classes.end()) {
        if (std::shared_ptr<Application> running = it->second.running.lock())
            return running;
        if (it->second.finder) {
            if (std::shared_ptr<Application> found = it->second.finder()) {
                it->second.running = found;
                return found;
            }
        }
    }
    throw RuntimeError(RuntimeError::tr(kCannotCreateObject));
}

} // namespace quillora::automation
