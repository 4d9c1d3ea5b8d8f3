#include "core/HeldFailure.h"

#include <utility>

namespace quillora {
namespace {

std::exception_ptr& heldFailure()
{
    static std::exception_ptr failure; // the user-interface thread only
    return failure;
}

} // namespace

void holdCurrentFailure()
{
    if (!heldFailure())
        heldFailure() = std::current_exception();
}

std::exception_ptr takeHeldFailure()
{
    return std::exchange(heldFailure(), nullptr);
}

} // namespace quillora
