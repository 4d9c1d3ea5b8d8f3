#pragma once
// The real machine behind every door: Qt message boxes, the system clocks,
// Qt's event loop, the desktop's openers, the process environment and
// std::exit.

#include "core/Platform.h"

namespace quillora {

Platform& systemPlatform();

} // namespace quillora
