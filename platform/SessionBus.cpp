#include "platform/SessionBus.h"

#include <QFile>

#include <sys/stat.h>

namespace quillora {
namespace {

constexpr char kAddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";

// Where the D-Bus library looks for a bus when no address is given: the
// per-user bus socket in the runtime folder.
bool userBusSocketExists()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return false;
    struct stat info {};
    return ::stat(QFile::encodeName(QFile::decodeName(runtime) + QStringLiteral("/bus")).constData(), &info) == 0
           && S_ISSOCK(info.st_mode);
}

} // namespace

NoSessionBusLaunch::NoSessionBusLaunch()
{
    if (!qEnvironmentVariableIsEmpty(kAddressVariable) || userBusSocketExists())
        return;
    // An address of a kind the library does not know: it answers with an
    // error instead of launching a bus.
    m_holding = qputenv(kAddressVariable, "disabled:");
}

NoSessionBusLaunch::~NoSessionBusLaunch()
{
    if (m_holding)
        qunsetenv(kAddressVariable);
}

} // namespace quillora
