#pragma once
// The window's on/off switches (spelling marks, the slide preview) kept in
// the plan's store under keys of their own, "1" or "0". A switch is a
// convenience: a store that cannot be read gives its default, and a refused
// write only means it is not remembered.

#include <QString>

namespace quillora {

class PlanStore;

// "1" is on, "0" off; anything else, or nothing, is `otherwise`.
bool rememberedSwitch(PlanStore& store, const QString& key, bool otherwise);
void rememberSwitch(PlanStore& store, const QString& key, bool on);

} // namespace quillora
