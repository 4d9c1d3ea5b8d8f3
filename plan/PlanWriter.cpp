#include "plan/PlanWriter.h"

#include <algorithm>

namespace quillora {

QString PlanWriter::value(const QString& key) const
{
    if (const auto waiting = m_waiting.find(key); waiting != m_waiting.end())
        return waiting->second;
    return m_store->value(key);
}

void PlanWriter::save(const PlanValues& given, Source source)
{
    PlanValues values;
    for (const auto& waiting : m_waiting) {
        const bool replaced = std::any_of(given.begin(), given.end(), [&](const auto& v) { return v.first == waiting.first; });
        if (!replaced)
            values.push_back(waiting);
    }
    values.insert(values.end(), given.begin(), given.end());
    try {
        m_store->writeAll(values);
    } catch (const PlanStoreError&) {
        if (source == Source::Typed) {
            for (const auto& [key, value] : given)
                m_waiting[key] = value;
        }
        throw;
    }
    m_waiting.clear();
}

} // namespace quillora
