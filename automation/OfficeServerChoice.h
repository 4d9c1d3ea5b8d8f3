#pragma once
// Which server answers "PowerPoint.Application": a live LibreOffice Impress
// through the plugin, or the embedded engine with its hand-off.
//
//   QUILLORA_OFFICE=embedded  always the engine
//   QUILLORA_OFFICE=impress   always Impress; where it cannot be had, a
//                             message says why and nothing is registered
//   unset (or anything else)  Impress when the plugin loads and LibreOffice
//                             is installed, otherwise the engine
//
// An Impress application starts nothing until its first real call. If no
// office answers within the connect timeout, measured from that call, the
// run goes to the engine instead (unless Impress was forced), so the user
// still gets a deck and not one report per step.

#include "automation/AutomationRuntime.h"
#include "automation/EngineApplication.h"
#include "automation/OfficePlugin.h"
#include "automation/PresentationAppWords.h"
#include "core/Platform.h"

#include <functional>
#include <memory>

namespace quillora::office {

inline constexpr char kOfficeVariable[] = "QUILLORA_OFFICE";
inline constexpr char kOfficeEmbedded[] = "embedded";
inline constexpr char kOfficeImpress[] = "impress";
inline constexpr char kPluginFileName[] = "libquillora_impress.so";

// Makes an OfficeServer from the plugin file at path; null (and why) when
// the file is missing or is not the plugin.
using PluginLoader = std::function<std::shared_ptr<OfficeServer>(const QString& path, QString* why)>;

// The real loader: the library stays loaded to the end of the program.
std::shared_ptr<OfficeServer> loadPluginFile(const QString& path, const OfficeOptions& options, QString* why);

// Where the plugin is looked for: beside the program (the build tree), then
// ../lib/quillora from the program's folder (an installed program).
QStringList pluginCandidates(const QString& programFolder);

struct ServerChoice {
    std::shared_ptr<OfficeServer> impress; // null: the engine serves
    bool forced = false;                   // no fallback to the engine
    QString refusal;                       // forced Impress that cannot be had
};
ServerChoice chooseOfficeServer(Environment& environment, const PluginLoader& load);

// How the messages name the presentation application and say how to close
// it: LibreOffice Impress where Impress serves; where the engine serves, its
// decks open in the desktop's default presentation program. Translated
// under the context "PowerPointChecks", with the messages they go into.
inline constexpr char kImpressName[] = "LibreOffice Impress";
inline constexpr char kImpressClosing[] = QT_TRANSLATE_NOOP(
    "PowerPointChecks", "File > Exit LibreOffice in any of its windows, or end soffice.bin in the system monitor,");
inline constexpr char kDefaultProgramName[] = QT_TRANSLATE_NOOP("PowerPointChecks", "your presentation program");
inline constexpr char kDefaultProgramClosing[] =
    QT_TRANSLATE_NOOP("PowerPointChecks", "its File menu, or close all its windows,");
PresentationAppWords presentationAppWords(const ServerChoice& choice);

// Registers "PowerPoint.Application" as the choice says: served by Impress
// (falling back to the engine when no office answers within
// connectTimeoutMs, unless forced, and found running without a start while
// an office of the user runs) or by the engine. The engine's decks, also
// those of a fallback, stay with `engine` for the caller's hand-off. With
// `events`, they are handled while the office is being reached.
void registerChosenServer(automation::AutomationRuntime& runtime, automation::EngineServer& engine,
                          const ServerChoice& choice, qint64 connectTimeoutMs = kOfficeConnectTimeoutMs,
                          EventPump* events = nullptr);

// What the program calls once at start-up, after BuilderEntryPoints is made:
// chooses with the real plugin loader and the platform's environment,
// shows the refusal of a forced Impress, and registers the server. Returns
// how the checks' messages name the application chosen.
PresentationAppWords registerPresentationServer(automation::AutomationRuntime& runtime,
                                                automation::EngineServer& engine, Platform& platform);

} // namespace quillora::office
