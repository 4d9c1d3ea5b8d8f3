#pragma once
// The editor's way to the plan store. A typed value the store refuses waits
// here, and every later write takes all waiting values along: the first
// write the store accepts again stores everything typed in the meantime.
// Reads give a waiting value before the stored one, so a section shown
// again shows what was typed, not what the store still holds.

#include "plan/PlanStore.h"

#include <QString>
#include <map>

namespace quillora {

class PlanWriter {
public:
    explicit PlanWriter(PlanStore& store) : m_store(&store) {}

    // Typed: the user's own text. Loaded: what the program put into a field
    // from the store or a hint; it never waits, so an unreadable store's
    // blank fields cannot later overwrite the plan it could not read.
    enum class Source { Typed, Loaded };

    // The waiting value for key, else the stored one (empty when none).
    // Throws PlanStoreError when the store cannot be read.
    QString value(const QString& key) const;

    // Stores the values, in their order, together with every waiting value,
    // at once. When the store refuses, typed values wait and the refusal is
    // thrown.
    void save(const PlanValues& values, Source source);

private:
    PlanStore* m_store;
    std::map<QString, QString> m_waiting;
};

} // namespace quillora
