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
    for (const Strip strip : {Strip::First, Strip::Second}) {
        const StripControls c = controlsOf(strip);
        QObject::connect(c.tabs, &TabStrip::tabClicked, c.tabs, [this, strip](int) { showSection(strip); });
        QObject::connect(c.box, &StatementBox::Change, c.box, [this, strip] { onStatementChanged(strip); });
    }
    QObject::connect(m_c.productNameField, &LineBox::Change, m_c.productNameField, [this] { onProductNameChanged(); });
    QObject::connect(m_c.planTitleField, &LineBox::Change, m_c.planTitleField, [this] { onPlanTitleChanged(); });
    QObject::connect(m_c.productNameField, &LineBox::GotFocus, m_c.productNameField,
                     [this] { onProductNameFocused(); });
    QObject::connect(m_c.planTitleField, &LineBox::GotFocus, m_c.planTitleField, [this] { onPlanTitleFocused(); });
}

SectionEditor::StripControls SectionEditor::controlsOf(Strip strip) const
{
    return strip == Strip::First ? StripControls{m_c.firstSectionTabs, m_c.firstStatementBox}
                                 : StripControls{m_c.secondSectionTabs, m_c.secondStatementBox};
}

void SectionEditor::nameStatementBoxes()
{
    nameBox(Strip::First);
    nameBox(Strip::Second);
}

void SectionEditor::nameBox(Strip strip)
{
    const StripControls c = controlsOf(strip);
    if (const std::optional<Section> section = findSection(strip, c.tabs->tab()))
        c.box->setSectionCaption(section->shownCaption());
}

void SectionEditor::showSection(Strip strip)
{
    const StripControls c = controlsOf(strip);
    nameBox(strip);
    if (const std::optional<Section> section = findSection(strip, c.tabs->tab())) {
        m_keeper->giveHint(*section);
        const QString text = m_keeper->plan().statement(*section);
        showing([&] { c.box->setText(text); });
        tellStore();
    }
    // A hidden or disabled box (as during start-up) simply does not take it.
    if (c.box->isEnabled() && c.box->isVisible())
        c.box->setFocus(Qt::OtherFocusReason);
}

void SectionEditor::onStatementChanged(Strip strip)
{
    const StripControls c = controlsOf(strip);
    edit(statementKey(strip, c.tabs->tab()), c.box->text());
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
