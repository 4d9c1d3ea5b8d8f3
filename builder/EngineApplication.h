#pragma once
// The presentation application served by Quillora's own engine (deck/).
//
// The engine has no window. The application keeps the state a window would
// have (which presentation is active, which slide is selected) so the object
// model behaves as callers expect. When an application that was made visible
// loses its last reference while presentations are open, it writes each of
// them to its file and hands the file to the desktop's presentation program;
// where nothing takes it, one message says where the deck was written.

#include "builder/AutomationRuntime.h"
#include "core/Platform.h"

namespace quillora::automation {

inline constexpr char kEngineApplicationName[] = "Microsoft PowerPoint";

// What the engine's window would show: the active presentation's file and
// its selected slide (0 when nothing is selected). Empty path when nothing
// is open. Fails for an application the engine does not serve.
struct EngineWindowState {
    QString activePath;
    int selectedSlide = 0;
};
EngineWindowState engineWindowState(const Ref<Application>& application);

// Makes "PowerPoint.Application" creatable in the runtime, served by the
// engine. The platform must outlive every application the runtime starts.
void registerEngineApplication(AutomationRuntime& runtime, Platform& platform);

} // namespace quillora::automation
