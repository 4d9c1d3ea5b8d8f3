#include "builder/MarketingPlanGenerator.h"

#include <cmath>

namespace quillora {

void pause(const BuilderContext& context, float seconds)
{
    if (!context.clock || !context.events)
        return;
    Clock& clock = *context.clock;
    // A monotonic end time: a wait that spans midnight or a clock change
    // still ends after the given time.
    const qint64 end = clock.monotonicMs() + static_cast<qint64>(std::llround(double(seconds) * 1000.0));
    context.events->processPendingEvents();
    for (qint64 now = clock.monotonicMs(); now < end; now = clock.monotonicMs())
        clock.sleepMs(end - now);
}

} // namespace quillora
