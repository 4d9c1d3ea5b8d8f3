#pragma once
// The plan a window holds, kept in the plan store on the side. Every edit
// changes the plan at once and is then stored; what the store refuses stays
// in the plan, waits, and goes with the next write, so nothing typed is
// lost and a fill never depends on the store. A text that did not change is
// not written again.

#include "plan/Plan.h"
#include "plan/PlanStore.h"

#include <QString>
#include <optional>
#include <set>

namespace quillora {

class PlanKeeper {
public:
    explicit PlanKeeper(PlanStore& store) : m_store(&store) {}

    // Reads the plan from the store; on a refusal the plan stays empty and
    // the refusal is kept (failure()). Nothing read is written back.
    void load();
    const Plan& plan() const { return m_plan; }

    // Sets the text under a setting key and stores it; false when it was
    // already the plan's text (nothing is written then).
    bool edit(const QString& key, const QString& text);
    // The hint step for a section shown with nothing written (Plan.h); stored
    // like an edit, except after a refused read: the store may hold the
    // text that could not be read, and a hint must not replace it.
    bool giveHint(const Section& section);
    // The whole plan replaced (a plan file opened): every text is stored.
    void replace(const Plan& plan);

    // Stores what waits once more.
    void retry() { storeWaiting(); }

    // While held, the hints given wait; the release stores them in one
    // write. Edits are stored at once all the same.
    void hold() { m_holding = true; }
    void release();

    // True when every text of the plan is in the store as far as this
    // window knows.
    bool durable() const { return m_waiting.empty() && m_heldHints.empty(); }
    // The last refusal, until a write is taken.
    const std::optional<PlanStoreError>& failure() const { return m_failure; }
    PlanStore& store() { return *m_store; }

private:
    void storeWaiting();

    PlanStore* m_store;
    Plan m_plan;
    std::set<QString> m_waiting;   // keys whose text the store does not have yet
    std::set<QString> m_heldHints; // hints given while held
    std::optional<PlanStoreError> m_failure;
    bool m_readRefused = false;
    bool m_holding = false;
};

} // namespace quillora
