#pragma once
// The editing behaviour of the main window's four text fields: every change
// is written at once to the plan store, and choosing a tab loads that
// section's statement (or its hint text when nothing is stored) into the
// strip's statement box. Holds no state: the strips' Tab is read when needed.
//
// No handler catches failures: a refused store write goes to whoever called
// (the start-up's error report, or the event loop's safety net).

#include "plan/PlanKeys.h"
#include "plan/SectionCatalogue.h"

namespace quillora {

class LineBox;
class StatementBox;
class TabStrip;

struct EditorControls {
    TabStrip* firstSectionTabs = nullptr;
    TabStrip* secondSectionTabs = nullptr;
    StatementBox* firstStatementBox = nullptr;
    StatementBox* secondStatementBox = nullptr;
    LineBox* productNameField = nullptr;
    LineBox* planTitleField = nullptr;
};

class SectionEditor {
public:
    explicit SectionEditor(const EditorControls& controls) : m_c(controls) {}

    // Connects the handlers to the controls' signals.
    void connectControls();
    // Names each statement box for assistive technology after the section its
    // strip shows; every section load renames it.
    void nameStatementBoxes();

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

    EditorControls m_c;
};

} // namespace quillora
