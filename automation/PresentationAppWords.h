#pragma once
// How the presentation application is known: the name a running instance
// answers to, and how the checks' messages name it and say how to close it.

#include <QString>

namespace quillora {

// The name a running presentation application answers to as its default
// member; the checks take an instance that answers so as already running.
inline constexpr char kRunningApplicationName[] = "Microsoft PowerPoint";

// The presentation application in use as its user knows it: its name and
// how this desktop closes it, as the checks' messages put them.
struct PresentationAppWords {
    QString name;    // "LibreOffice Impress"
    QString closing; // what to use to close it, ending where "if necessary" follows
};

} // namespace quillora
