#include "plan/PlanKeeper.h"

namespace quillora {

void PlanKeeper::load()
{
    try {
        m_plan = readPlan(*m_store);
        m_readRefused = false;
        m_failure.reset();
    } catch (const PlanStoreError& refusal) {
        m_plan = Plan();
        m_readRefused = true;
        m_failure = refusal;
    }
}

bool PlanKeeper::edit(const QString& key, const QString& text)
{
    if (m_plan.value(key) == text)
        return false;
    m_plan.set(key, text);
    m_waiting.insert(key);
    storeWaiting();
    return true;
}

bool PlanKeeper::giveHint(const Section& section)
{
    if (!quillora::giveHint(m_plan, section))
        return false;
    if (m_readRefused)
        return true;
    if (m_holding) {
        m_heldHints.insert(section.key());
        return true;
    }
    m_waiting.insert(section.key());
    storeWaiting();
    return true;
}

void PlanKeeper::replace(const Plan& plan)
{
    m_plan = plan;
    for (const QString& key : planKeys())
        m_waiting.insert(key);
    m_readRefused = false;
    storeWaiting();
}

void PlanKeeper::release()
{
    m_holding = false;
    m_waiting.merge(m_heldHints);
    m_heldHints.clear();
    storeWaiting();
}

void PlanKeeper::storeWaiting()
{
    if (m_waiting.empty())
        return;
    PlanValues values;
    for (const QString& key : m_waiting)
        values.emplace_back(key, m_plan.value(key));
    try {
        m_store->writeAll(values);
    } catch (const PlanStoreError& refusal) {
        m_failure = refusal;
        return;
    }
    m_waiting.clear();
    m_failure.reset();
}

} // namespace quillora
