#include "plan/Plan.h"

#include "plan/PlanKeys.h"
#include "plan/PlanStore.h"

namespace quillora {

bool Plan::set(const QString& key, const QString& text)
{
    if (key == QLatin1String(kProductNameKey))
        productName = text;
    else if (key == QLatin1String(kMarketingPlanKey))
        planTitle = text;
    else if (const std::optional<Section> section = findSection(key))
        statement(*section) = text;
    else
        return false;
    return true;
}

QString Plan::value(const QString& key) const
{
    if (key == QLatin1String(kProductNameKey))
        return productName;
    if (key == QLatin1String(kMarketingPlanKey))
        return planTitle;
    if (const std::optional<Section> section = findSection(key))
        return statement(*section);
    return QString();
}

QStringList planKeys()
{
    QStringList keys{QLatin1String(kProductNameKey), QLatin1String(kMarketingPlanKey)};
    for (const Section& section : allSections())
        keys << section.key();
    return keys;
}

bool giveHint(Plan& plan, const Section& section)
{
    QString& statement = plan.statement(section);
    if (!statement.isEmpty())
        return false;
    statement = section.shownHint();
    return true;
}

Plan readPlan(PlanStore& store)
{
    Plan plan;
    for (const QString& key : planKeys())
        plan.set(key, store.value(key));
    return plan;
}

Plan planOf(const PlanDocument& document)
{
    Plan plan;
    plan.productName = document.productName;
    plan.planTitle = document.planTitle;
    for (const auto& [key, statement] : document.statements)
        plan.set(key, statement);
    return plan;
}

PlanDocument documentOf(const Plan& plan)
{
    PlanDocument document;
    document.productName = plan.productName;
    document.planTitle = plan.planTitle;
    document.hasProductName = true;
    document.hasPlanTitle = true;
    for (const Section& section : allSections()) {
        if (!plan.statement(section).isEmpty())
            document.statements[section.key()] = plan.statement(section);
    }
    return document;
}

} // namespace quillora
