#pragma once
// The deck generator of the window, run for the command line: the same
// GenerateMarketPlan, fill map and updateText over our own presentation
// engine, with the pauses between slides switched off.

#include "cli/DeckJob.h"

namespace quillora {

DeckFiller generatorFiller();

} // namespace quillora
