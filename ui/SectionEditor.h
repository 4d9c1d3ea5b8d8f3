#pragma once
// The editing behaviour of the main window's four text fields: every change
// is written at once to the plan store, and choosing a tab loads that
// section's statement (or its hint text when nothing is stored) into the
// strip's statement box. The strips' Tab is read when needed.
//
// A store that cannot be read or written is told in the window's store
// notice, never by a message box; what was typed meanwhile waits in the
// plan writer and goes with the next write. Other failures go to whoever
// called (the start-up's error report, or the event loop's safety net).

#include "plan/PlanKeys.h"
#include "plan/PlanWriter.h"
#include "plan/SectionCatalogue.h"

#include <functional>

namespace quillora {

class LineBox;
class PlanStoreError;
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
    SectionEditor(const EditorControls& controls, PlanStore& store) : m_c(controls), m_store(&store), m_writer(store) {}

    // Connects the handlers to the controls' signals.
    void connectControls();
    // Names each statement box for assistive technology after the section its
    // strip shows; every section load renames it.
    void nameStatementBoxes();
    // Fill the single-line fields from the store, as the start-up does.
    void loadProductName();
    void loadPlanTitle();
    // Between these two, what loading the fields would store is kept, in
    // order, and stored at once (one write to the disk) at the release: the
    // start-up shows the plan before the window's first paint and stores it
    // right after.
    void holdLoadedValues();
    void storeHeldValues();

    void onFirstTabsClicked(int previousTab);
    void onSecondTabsClicked(int previousTab);
    void onFirstStatementChanged();
    void onSecondStatementChanged();
    void onProductNameChanged();
    void onPlanTitleChanged();
    void onProductNameFocused();
    void onPlanTitleFocused();

private:
    void nameBox(Strip strip, const TabStrip& tabs, StatementBox& box);
    void loadSection(Strip strip, TabStrip& tabs, StatementBox& box);
    void saveStatement(Strip strip, const TabStrip& tabs, const StatementBox& box);
    // The value to show for key; empty, with the failure told, when the store cannot be read.
    QString load(const QString& key);
    void loadField(LineBox& field, const QString& key);
    // Stores a field's value; the store's answer goes to the notice.
    void save(const QString& key, const QString& value);
    // Stores the values at once; the store's answer goes to the notice.
    void write(const PlanValues& values, PlanWriter::Source source);
    void tell(const PlanStoreError& failure);
    void tellKeptCopy();
    // Runs an assignment the program makes to a field: its Change stores a loaded value.
    void loading(const std::function<void()>& assign);

    EditorControls m_c;
    PlanStore* m_store;
    PlanWriter m_writer;
    bool m_loading = false;
    bool m_holding = false;
    PlanValues m_held;
};

} // namespace quillora
