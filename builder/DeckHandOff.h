#pragma once
// The end of a window's run on the embedded engine: the engine has no window
// to leave the filled deck open in, so the deck is written to its file and
// handed to the desktop's presentation program instead.

#include "automation/EngineApplication.h"
#include "core/Platform.h"

#include <vector>

namespace quillora {

// When an application of the server was made visible, writes every deck it
// holds open to its file and hands each written file to the desktop. Where a
// deck cannot be written, or nothing on the desktop takes it, one message
// under the application title says so and where the deck is. Returns what
// was written; never throws.
std::vector<automation::WrittenDeck> handOffToDesktop(automation::EngineServer& server, Platform& platform) noexcept;

} // namespace quillora
