#pragma once
// The deck generator of the window, run for the command line: the same
// generateMarketPlan, fill map and updateText over our own presentation
// engine, with no pauses between slides and no working copy: the template is
// opened as it is and the filled deck taken from the engine in memory.

#include "cli/DeckJob.h"

namespace quillora {

DeckFiller generatorFiller();

} // namespace quillora
