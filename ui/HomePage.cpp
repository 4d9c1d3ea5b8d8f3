#include "ui/HomePage.h"
#include "core/RuntimeError.h"

#include <cmath>

namespace quillora {

void maybeOpenHomePage(Platform& platform)
{
    platform.random->seed(static_cast<float>(platform.clock->secondsSinceMidnight()));
    const auto n = static_cast<qint16>(std::floor(platform.random->next() * 100.0f) + 1);
    if (n != 7)
        return;
    if (!platform.desktop->openUrl(QLatin1String(kHomePageAddress)))
        throw RuntimeError(RuntimeError::tr("File not found"));
}

} // namespace quillora
