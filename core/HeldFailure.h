#pragma once
// Failures raised by the program's own handlers while one of its widgets
// handles a user event (typing, choosing a tab) are held here instead of
// being unwound through the toolkit's code, which is not built for
// exceptions. The application's event loop shows a held failure once the
// event has been delivered (SafeApplication).

#include <exception>

namespace quillora {

// Keeps the failure being handled; the first one wins until it is taken.
void holdCurrentFailure();
// The held failure, if any, and forgets it.
std::exception_ptr takeHeldFailure();

// Runs a widget's event handling; a failure is held and the event counts as handled.
template <class Handle>
bool holdingFailures(Handle&& handle)
{
    try {
        return handle();
    } catch (...) {
        holdCurrentFailure();
        return true;
    }
}

} // namespace quillora
