#include "ui/ToolSwitches.h"

#include "plan/PlanStore.h"

namespace quillora {

bool rememberedSwitch(PlanStore& store, const char* key, bool byDefault)
{
    try {
        const QString stored = store.value(QLatin1String(key), byDefault ? QStringLiteral("1") : QStringLiteral("0"));
        return stored != QLatin1String("0");
    } catch (...) {
        return byDefault;
    }
}

void rememberSwitch(PlanStore& store, const char* key, bool on)
{
    try {
        store.write(QLatin1String(key), on ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (...) {
    }
}

} // namespace quillora
