#pragma once
// The program's in-memory plan store, handed to what a test drives, so tests
// start from a known plan and can see every read and write and make the
// store refuse them.

#include "tests/support/InMemoryPlanStore.h"
#include "plan/PlanStore.h"

#include <QString>
#include <vector>

namespace quillora::testing {

class MemorySettings {
public:
    struct Backend final : InMemoryPlanStore {
        bool read(const QString& key, QString& value) override
        {
            ++reads;
            if (!readRefusal.isEmpty())
                throw PlanStoreError(PlanStoreError::Operation::Read, readRefusal, fileName);
            return InMemoryPlanStore::read(key, value);
        }
        void write(const QString& key, const QString& value) override
        {
            if (refuseWrites)
                throw PlanStoreError(PlanStoreError::Operation::Write, refusal, fileName);
            writes.emplace_back(key, value);
            InMemoryPlanStore::write(key, value);
        }
        QString keptDamagedCopy() const override { return keptCopy; }
        std::vector<std::pair<QString, QString>> writes;
        int reads = 0;
        bool refuseWrites = false;
        QString refusal = QStringLiteral("Permission denied"); // the system's reason a write gives
        QString readRefusal;                                   // set: every read fails with it
        QString keptCopy;
        QString fileName = QStringLiteral("/home/user/.config/Tarnvale/Quillora.conf");
    };

    MemorySettings() = default;
    MemorySettings(const MemorySettings&) = delete;
    MemorySettings& operator=(const MemorySettings&) = delete;

    // Handed in wherever the program takes its plan store.
    operator PlanStore&() { return m_backend; } // NOLINT(google-explicit-constructor)
    Backend* operator->() { return &m_backend; }
    Backend& operator*() { return m_backend; }

    // The statement keys that hold a value.
    std::vector<QString> statementKeys() const
    {
        std::vector<QString> keys;
        for (const auto& [key, value] : m_backend.values) {
            if (key.contains(QLatin1String("StatementMkt_")))
                keys.push_back(key);
        }
        return keys;
    }

private:
    Backend m_backend;
};

} // namespace quillora::testing
