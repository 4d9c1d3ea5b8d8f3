#include "ui/SectionEditor.h"
#include "plan/PlanStore.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"

#include <QObject>

namespace quillora {
namespace {

void selectWholeText(LineBox& field)
{
    field.setSelection(0, int(field.text().size()));
}

} // namespace

void SectionEditor::connectControls()
{
    QObject::connect(m_c.SSTab1, &TabStrip::Click, m_c.SSTab1, [this](int previous) { SSTab1_Click(previous); });
    QObject::connect(m_c.SSTab3, &TabStrip::Click, m_c.SSTab3, [this](int previous) { SSTab3_Click(previous); });
    QObject::connect(m_c.txtFirstStatement, &StatementBox::Change, m_c.txtFirstStatement,
                     [this] { txtFirstStatement_Change(); });
    QObject::connect(m_c.txtSecondStatement, &StatementBox::Change, m_c.txtSecondStatement,
                     [this] { txtSecondStatement_Change(); });
    QObject::connect(m_c.txtProductName, &LineBox::Change, m_c.txtProductName, [this] { txtProductName_Change(); });
    QObject::connect(m_c.txtMktPlan, &LineBox::Change, m_c.txtMktPlan, [this] { txtMktPlan_Change(); });
    QObject::connect(m_c.txtProductName, &LineBox::GotFocus, m_c.txtProductName,
                     [this] { txtProductName_GotFocus(); });
    QObject::connect(m_c.txtMktPlan, &LineBox::GotFocus, m_c.txtMktPlan, [this] { txtMktPlan_GotFocus(); });
}

void SectionEditor::loadSection(Strip strip, TabStrip& tabs, StatementBox& box)
{
    const int tab = tabs.tab();
    if (const std::optional<Section> section = findSection(strip, tab)) {
        const QString stored = GetPlanSetting(statementKey(strip, tab), QString());
        // Assigning raises the box's Change, which stores what it now shows.
        box.setText(stored.isEmpty() ? section->hint() : stored);
    }
    // A hidden or disabled box (as during start-up) simply does not take it.
    if (box.isEnabled() && box.isVisible())
        box.setFocus(Qt::OtherFocusReason);
}

void SectionEditor::saveStatement(Strip strip, const TabStrip& tabs, const StatementBox& box)
{
    SavePlanSetting(statementKey(strip, tabs.tab()), box.text());
}

void SectionEditor::SSTab1_Click(int)
{
    loadSection(Strip::First, *m_c.SSTab1, *m_c.txtFirstStatement);
}

void SectionEditor::SSTab3_Click(int)
{
    loadSection(Strip::Second, *m_c.SSTab3, *m_c.txtSecondStatement);
}

void SectionEditor::txtFirstStatement_Change()
{
    saveStatement(Strip::First, *m_c.SSTab1, *m_c.txtFirstStatement);
}

void SectionEditor::txtSecondStatement_Change()
{
    saveStatement(Strip::Second, *m_c.SSTab3, *m_c.txtSecondStatement);
}

void SectionEditor::txtProductName_Change()
{
    SavePlanSetting(QLatin1String(kCompanyNameKey), m_c.txtProductName->text());
}

void SectionEditor::txtMktPlan_Change()
{
    SavePlanSetting(QLatin1String(kMarketingPlanKey), m_c.txtMktPlan->text());
}

void SectionEditor::txtProductName_GotFocus()
{
    selectWholeText(*m_c.txtProductName);
}

void SectionEditor::txtMktPlan_GotFocus()
{
    selectWholeText(*m_c.txtMktPlan);
}

} // namespace quillora
