#include "ui/RememberedSwitch.h"

#include "plan/PlanStore.h"

namespace quillora {

bool rememberedSwitch(PlanStore& store, const QString& key, bool otherwise)
{
    try {
        const QString value = store.value(key, QString());
        return value == QLatin1String("1") || (otherwise && value != QLatin1String("0"));
    } catch (...) {
        return otherwise;
    }
}

void rememberSwitch(PlanStore& store, const QString& key, bool on)
{
    try {
        store.write(key, on ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (...) {
    }
}

} // namespace quillora
