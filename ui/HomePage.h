#pragma once

#include "core/Platform.h"

namespace quillora {

inline constexpr char kHomePageAddress[] = "https://www.tarnvale.example/";

// On a random one start in a hundred, opens the maker's home page in the web
// browser. Throws RuntimeError when nothing could open it.
void maybeOpenHomePage(Platform& platform);

} // namespace quillora
