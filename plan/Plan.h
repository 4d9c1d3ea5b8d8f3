#pragma once
// The plan as one value: the product name, the plan title and the sixteen
// statements in catalogue order. The window holds one and edits it; the
// store keeps a copy of it on the side; a fill reads nothing else.

#include "plan/PlanFile.h"
#include "plan/SectionCatalogue.h"

#include <QString>
#include <array>

namespace quillora {

class PlanStore;

struct Plan {
    QString productName;
    QString planTitle;
    std::array<QString, kSectionCount> statements; // lines joined by "\r\n"; empty: nothing written

    const QString& statement(const Section& section) const { return statements[size_t(section.index())]; }
    QString& statement(const Section& section) { return statements[size_t(section.index())]; }
    // The text under a setting key ("Company Name", "Marketing Plan" or a
    // statement key); false for any other key.
    bool set(const QString& key, const QString& text);
    QString value(const QString& key) const;

    bool operator==(const Plan&) const = default;
};

// Every setting key of a plan: the two titles, then the statements.
QStringList planKeys();

// Puts the section's hint (as the window shows it) into an empty statement:
// the step that gives a section never written its outline. True when it did.
bool giveHint(Plan& plan, const Section& section);

// Reads the plan from the store: what is not stored is empty. Throws
// PlanStoreError when the store cannot be read.
Plan readPlan(PlanStore& store);

// A plan file's plan: what the file leaves out is empty.
Plan planOf(const PlanDocument& document);
// The plan as a plan file holds it: both titles, and every statement that
// holds text (an empty one reads back empty all the same).
PlanDocument documentOf(const Plan& plan);

} // namespace quillora
