#pragma once
// The C++ face of the LibreOffice Impress plugin (libquillora_impress.so).
//
// The plugin serves the presentation application's object model from a live
// Impress reached over UNO. It is loaded at run time only, so the program
// never links a LibreOffice library and runs where LibreOffice is absent.
// Its one exported symbol, kOfficePluginEntry, makes an OfficeServer.

#include "automation/Automation.h"

#include <QString>
#include <QtGlobal>
#include <memory>

namespace quillora::office {

// How the plugin reaches its office. The defaults are the desktop user's
// own office: visible, with the user's profile, on the per-user pipe.
struct OfficeOptions {
    // The pipe the office accepts connections on; LibreOffice makes it the
    // socket /tmp/OSL_PIPE_<uid>_<name>, so the name is per user as it is.
    QString pipeName = QStringLiteral("quillora");
    // file:// URL of the profile folder; empty for the user's own profile.
    QString profileUrl;
    // An office without windows, documents opened hidden (tests, tools).
    bool headless = false;
    // The office's start command.
    QString program = QStringLiteral("soffice");
    // The folder holding LibreOffice's fundamentalrc; empty for the one the
    // plugin was built against.
    QString installFolder;
};

// The presentation application, not yet connected. Nothing reaches the
// office until the first call that needs it; connect() makes that happen
// now, with a bound on how long it may take.
class OfficeApplication : public automation::Application {
public:
    // Attaches to the office listening on the pipe, or starts one (which an
    // office already running with the same profile answers), waiting at
    // most timeoutMs. Fails with RuntimeError when no office answers in
    // time or the pipe is held by something that is not an office. Does
    // nothing once connected.
    virtual void connect(qint64 timeoutMs) = 0;
};

class OfficeServer {
public:
    virtual ~OfficeServer() = default;
    // The office program can be found; starts nothing.
    virtual bool installed() = 0;
    // An office of this user with the options' profile runs; starts nothing.
    virtual bool running() = 0;
    // A new application object; it connects on first use.
    virtual std::shared_ptr<OfficeApplication> createApplication() = 0;
};

// extern "C" OfficeServer* quilloraCreateOfficeServer(const OfficeOptions&, int version)
// Returns nullptr when the version is not the plugin's own.
inline constexpr char kOfficePluginEntry[] = "quilloraCreateOfficeServer";
inline constexpr int kOfficePluginVersion = 1;
using CreateOfficeServer = OfficeServer* (*)(const OfficeOptions& options, int version);

// Connecting waits at most this long, measured from the first call.
inline constexpr qint64 kOfficeConnectTimeoutMs = 30000;

} // namespace quillora::office
