#include "ui/SectionEditor.h"
#include "plan/PlanStore.h"
#include "ui/StoreNotice.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"

#include <QObject>

#include <algorithm>
#include <utility>
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
    // Named first, so the box is named for its section even when the store fails.
    nameBox(strip, tabs, box);
    const int tab = tabs.tab();
    if (const std::optional<Section> section = findSection(strip, tab)) {
        const QString stored = load(statementKey(strip, tab));
        // Assigning raises the box's Change, which stores what it now shows.
        loading([&] { box.setText(stored.isEmpty() ? section->shownHint() : stored); });
    }
    // A hidden or disabled box (as during start-up) simply does not take it.
    if (box.isEnabled() && box.isVisible())
        box.setFocus(Qt::OtherFocusReason);
}

void SectionEditor::saveStatement(Strip strip, const TabStrip& tabs, const StatementBox& box)
{
    save(statementKey(strip, tabs.tab()), box.text());
}

void SectionEditor::loadProductName()
{
    loadField(*m_c.productNameField, QLatin1String(kProductNameKey));
}

void SectionEditor::loadPlanTitle()
{
    loadField(*m_c.planTitleField, QLatin1String(kMarketingPlanKey));
}

void SectionEditor::loadField(LineBox& field, const QString& key)
{
    const QString stored = load(key);
    loading([&] { field.setText(stored); });
}

void SectionEditor::loading(const std::function<void()>& assign)
{
    const QScopedValueRollback<bool> during(m_loading, true);
    assign();
}

QString SectionEditor::load(const QString& key)
{
    try {
        const QString value = m_writer.value(key);
        tellKeptCopy();
        return value;
    } catch (const PlanStoreError& failure) {
        tell(failure);
        return QString();
    }
}

void SectionEditor::holdLoadedValues()
{
    m_holding = true;
}

void SectionEditor::storeHeldValues()
{
    m_holding = false;
    if (m_held.empty())
        return;
    write(std::exchange(m_held, {}), PlanWriter::Source::Loaded);
}

void SectionEditor::save(const QString& key, const QString& value)
{
    const auto same = std::find_if(m_held.begin(), m_held.end(), [&](const auto& held) { return held.first == key; });
    if (m_loading && m_holding) {
        if (same != m_held.end())
            same->second = value;
        else
            m_held.emplace_back(key, value);
        return;
    }
    // Typed while loaded values wait: the typed text is newer, and the
    // loaded one must never be stored over it.
    if (same != m_held.end())
        m_held.erase(same);
    write({{key, value}}, m_loading ? PlanWriter::Source::Loaded : PlanWriter::Source::Typed);
}

void SectionEditor::write(const PlanValues& values, PlanWriter::Source source)
{
    try {
        m_writer.save(values, source);
        if (m_c.storeNotice)
            m_c.storeNotice->clearFailure();
        tellKeptCopy();
    } catch (const PlanStoreError& failure) {
        tell(failure);
    }
}

void SectionEditor::tell(const PlanStoreError& failure)
{
    if (m_c.storeNotice)
        m_c.storeNotice->showFailure(failure);
    tellKeptCopy();
}

void SectionEditor::tellKeptCopy()
{
    if (m_c.storeNotice)
        m_c.storeNotice->showKeptCopy(m_store->keptDamagedCopy());
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
    save(QLatin1String(kProductNameKey), m_c.productNameField->text());
}

void SectionEditor::onPlanTitleChanged()
{
    save(QLatin1String(kMarketingPlanKey), m_c.planTitleField->text());
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
