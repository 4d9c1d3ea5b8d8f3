#pragma once
// The editing behaviour of the plan form's four text fields over the plan
// the window holds: every change of a field changes the plan at once (and
// the plan keeper stores it on the side), and choosing a tab shows that
// section's statement from the plan, giving it its hint when nothing is
// written there yet. A tab switch reads nothing from the store and writes
// nothing a section already holds.
//
// A store that cannot be read or written is told in the window's store
// notice, never by a message box; what was typed stays in the plan.

#include "plan/PlanKeeper.h"
#include "plan/PlanKeys.h"
#include "plan/SectionCatalogue.h"

#include <functional>

namespace quillora {

class LineBox;
class StatementBox;
class StoreNotice;
class TabStrip;

struct EditorControls {
    TabStrip* firstSectionTabs = nullptr;
    TabStrip* secondSectionTabs = nullptr;
    StatementBox* firstStatementBox = nullptr;
    StatementBox* secondStatementBox = nullptr;
    LineBox* productNameField = nullptr;
    LineBox* planTitleField = nullptr;
    StoreNotice* storeNotice = nullptr;
};

class SectionEditor {
public:
    SectionEditor(const EditorControls& controls, PlanKeeper& keeper) : m_c(controls), m_keeper(&keeper) {}

    // Connects the handlers to the controls' signals.
    void connectControls();
    // Names each statement box for assistive technology after the section its
    // strip shows; every section load renames it.
    void nameStatementBoxes();
    // Show the plan's titles in the single-line fields, as the start-up does.
    void loadProductName();
    void loadPlanTitle();
    // Between these two, what the hint step gives is kept and stored at once
    // (one write to the disk) at the release: the start-up shows the plan
    // before the window's first paint and stores it right after.
    void holdLoadedValues();
    void storeHeldValues();
    // Tells the store's state in the notice.
    void tellStore();
    void setStoreNotice(StoreNotice* notice) { m_c.storeNotice = notice; }

    // A strip's tab was chosen (or the start-up shows its current one): its
    // box shows that section from the plan.
    void showSection(Strip strip);
    // The strip's statement box changed: the section its strip shows is edited.
    void onStatementChanged(Strip strip);
    void onProductNameChanged();
    void onPlanTitleChanged();
    void onProductNameFocused();
    void onPlanTitleFocused();

private:
    // One strip's controls: its tabs and the statement box they share.
    struct StripControls {
        TabStrip* tabs;
        StatementBox* box;
    };
    StripControls controlsOf(Strip strip) const;
    void nameBox(Strip strip);
    void edit(const QString& key, const QString& text);
    // Runs an assignment the program makes to a field: its Change is no edit.
    void showing(const std::function<void()>& assign);

    EditorControls m_c;
    PlanKeeper* m_keeper;
    bool m_showing = false;
};

} // namespace quillora
