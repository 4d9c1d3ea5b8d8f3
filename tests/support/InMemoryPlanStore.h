#pragma once
// A plan store held in memory: reads what was put in or written, keeps what
// is written, and never touches the user's stored plan.

#include "plan/PlanStore.h"

#include <QString>
#include <map>
#include <utility>

namespace quillora {

class InMemoryPlanStore : public PlanStore {
public:
    InMemoryPlanStore() = default;
    explicit InMemoryPlanStore(std::map<QString, QString> initial) : values(std::move(initial)) {}

    bool read(const QString& key, QString& value) override
    {
        auto it = values.find(key);
        if (it == values.end())
            return false;
        value = it->second;
        return true;
    }
    void write(const QString& key, const QString& value) override { values[key] = value; }

    std::map<QString, QString> values;
};

} // namespace quillora
