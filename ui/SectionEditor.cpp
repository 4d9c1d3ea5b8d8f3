#include "ui/SectionEditor.h"
#include "ui/StoreNotice.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"

#include <QObject>
#include <QScopedValueRollback>

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
    nameBox(strip, tabs, box);
    if (const std::optional<Section> section = findSection(strip, tabs.tab())) {
        m_keeper->giveHint(*section);
        const QString text = m_keeper->plan().statement(*section);
        showing([&] { box.setText(text); });
        tellStore();
    }
    // A hidden or disabled box (as during start-up) simply does not take it.
    if (box.isEnabled() && box.isVisible())
        box.setFocus(Qt::OtherFocusReason);
}

void SectionEditor::editStatement(Strip strip, const TabStrip& tabs, const StatementBox& box)
{
    edit(statementKey(strip, tabs.tab()), box.text());
}

void SectionEditor::loadProductName()
{
    const QString text = m_keeper->plan().productName;
    showing([&] { m_c.productNameField->setText(text); });
    tellStore();
}

void SectionEditor::loadPlanTitle()
{
    const QString text = m_keeper->plan().planTitle;
    showing([&] { m_c.planTitleField->setText(text); });
    tellStore();
}

void SectionEditor::showing(const std::function<void()>& assign)
{
    const QScopedValueRollback<bool> during(m_showing, true);
    assign();
}

void SectionEditor::holdLoadedValues()
{
    m_keeper->hold();
}

void SectionEditor::storeHeldValues()
{
    m_keeper->release();
    tellStore();
}

void SectionEditor::edit(const QString& key, const QString& text)
{
    // The program showing the plan's own text is no edit.
    if (m_showing)
        return;
    m_keeper->edit(key, text);
    tellStore();
}

void SectionEditor::tellStore()
{
    if (!m_c.storeNotice)
        return;
    if (const std::optional<PlanStoreError>& failure = m_keeper->failure())
        m_c.storeNotice->showFailure(*failure);
    else
        m_c.storeNotice->clearFailure();
    m_c.storeNotice->showKeptCopy(m_keeper->store().keptDamagedCopy());
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
    editStatement(Strip::First, *m_c.firstSectionTabs, *m_c.firstStatementBox);
}

void SectionEditor::onSecondStatementChanged()
{
    editStatement(Strip::Second, *m_c.secondSectionTabs, *m_c.secondStatementBox);
}

void SectionEditor::onProductNameChanged()
{
    edit(QLatin1String(kProductNameKey), m_c.productNameField->text());
}

void SectionEditor::onPlanTitleChanged()
{
    edit(QLatin1String(kMarketingPlanKey), m_c.planTitleField->text());
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
