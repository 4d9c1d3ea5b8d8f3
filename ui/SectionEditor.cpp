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
    QObject::connect(m_c.firstSectionTabs, &TabStrip::tabClicked, m_c.firstSectionTabs, [this](int previous) { onFirstTabsClicked(previous); });
    QObject::connect(m_c.secondSectionTabs, &TabStrip::tabClicked, m_c.secondSectionTabs, [this](int previous) { onSecondTabsClicked(previous); });
    QObject::connect(m_c.firstStatementBox, &StatementBox::Change, m_c.firstStatementBox,
                     [this] { onFirstStatementChanged(); });
    QObject::connect(m_c.secondStatementBox, &StatementBox::Change, m_c.secondStatementBox,
                     [this] { onSecondStatementChanged(); });
    QObject::connect(m_c.productNameField, &LineBox::Change, m_c.productNameField, [this] { onProductNameChanged(); });
    QObject::connect(m_c.planTitleField, &LineBox::Change, m_c.planTitleField, [this] { onPlanTitleChanged(); });
    QObject::connect(m_c.productNameField, &LineBox::GotFocus, m_c.productNameField,
                     [this] { onProductNameFocused(); });
    QObject::connect(m_c.planTitleField, &LineBox::GotFocus, m_c.planTitleField, [this] { onPlanTitleFocused(); });
}

void SectionEditor::nameStatementBoxes()
{
    nameBox(Strip::First, *m_c.firstSectionTabs, *m_c.firstStatementBox);
    nameBox(Strip::Second, *m_c.secondSectionTabs, *m_c.secondStatementBox);
}

void SectionEditor::nameBox(Strip strip, const TabStrip& tabs, StatementBox& box)
{
    if (const std::optional<Section> section = findSection(strip, tabs.tab()))
        box.setSectionCaption(section->shownCaption());
}

void SectionEditor::loadSection(Strip strip, TabStrip& tabs, StatementBox& box)
{
    // Named first, so the box is named for its section even when the store fails.
    nameBox(strip, tabs, box);
    const int tab = tabs.tab();
    if (const std::optional<Section> section = findSection(strip, tab)) {
        const QString stored = planSetting(statementKey(strip, tab), QString());
        // Assigning raises the box's Change, which stores what it now shows.
        box.setText(stored.isEmpty() ? section->shownHint() : stored);
    }
    // A hidden or disabled box (as during start-up) simply does not take it.
    if (box.isEnabled() && box.isVisible())
        box.setFocus(Qt::OtherFocusReason);
}

void SectionEditor::saveStatement(Strip strip, const TabStrip& tabs, const StatementBox& box)
{
    savePlanSetting(statementKey(strip, tabs.tab()), box.text());
}

void SectionEditor::onFirstTabsClicked(int)
{
    loadSection(Strip::First, *m_c.firstSectionTabs, *m_c.firstStatementBox);
}

void SectionEditor::onSecondTabsClicked(int)
{
    loadSection(Strip::Second, *m_c.secondSectionTabs, *m_c.secondStatementBox);
}

void SectionEditor::onFirstStatementChanged()
{
    saveStatement(Strip::First, *m_c.firstSectionTabs, *m_c.firstStatementBox);
}

void SectionEditor::onSecondStatementChanged()
{
    saveStatement(Strip::Second, *m_c.secondSectionTabs, *m_c.secondStatementBox);
}

void SectionEditor::onProductNameChanged()
{
    savePlanSetting(QLatin1String(kCompanyNameKey), m_c.productNameField->text());
}

void SectionEditor::onPlanTitleChanged()
{
    savePlanSetting(QLatin1String(kMarketingPlanKey), m_c.planTitleField->text());
}

void SectionEditor::onProductNameFocused()
{
    selectWholeText(*m_c.productNameField);
}

void SectionEditor::onPlanTitleFocused()
{
    selectWholeText(*m_c.planTitleField);
}

} // namespace quillora
