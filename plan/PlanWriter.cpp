#include "plan/PlanWriter.h"

namespace quillora {

QString PlanWriter::value(const QString& key) const
{
    if (const auto waiting = m_waiting.find(key); waiting != m_waiting.end())
        return waiting->second;
    return planSetting(key);
}

void PlanWriter::save(const QString& key, const QString& value, Source source)
{
    PlanValues values;
    for (const auto& waiting : m_waiting) {
        if (waiting.first != key)
            values.push_back(waiting);
    }
    values.emplace_back(key, value);
    try {
        savePlanSettings(values);
    } catch (const PlanStoreError&) {
        if (source == Source::Typed)
            m_waiting[key] = value;
        throw;
    }
    m_waiting.clear();
}

} // namespace quillora
