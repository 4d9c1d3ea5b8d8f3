#pragma once
// The Tools menu's on/off switches, remembered in the settings beside the
// plan. A switch is a convenience: an unreadable store gives its default,
// and a refused write only means it is not remembered.

#include <QString>

namespace quillora {

class PlanStore;

inline constexpr char kContinueLongSectionsKey[] = "Deck/continueLongSections";

bool rememberedSwitch(PlanStore& store, const char* key, bool byDefault);
void rememberSwitch(PlanStore& store, const char* key, bool on);

} // namespace quillora
