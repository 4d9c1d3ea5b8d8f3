#include "platform/SessionBus.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QLocalServer>
#include <QTemporaryDir>

using namespace quillora;

namespace {

constexpr char kAddress[] = "DBUS_SESSION_BUS_ADDRESS";
constexpr char kRuntime[] = "XDG_RUNTIME_DIR";

enum class BusFile { None, Socket, PlainFile };

struct BusRow {
    const char* name;
    const char* address; // null: unset
    BusFile runtimeBus;  // what $XDG_RUNTIME_DIR/bus is
    bool held;
};

class SessionBusLaunch : public ::testing::TestWithParam<BusRow> {
protected:
    void SetUp() override
    {
        m_address = qgetenv(kAddress);
        m_hadAddress = qEnvironmentVariableIsSet(kAddress);
        m_runtime = qgetenv(kRuntime);
    }
    void TearDown() override
    {
        m_hadAddress ? qputenv(kAddress, m_address) : qunsetenv(kAddress);
        qputenv(kRuntime, m_runtime);
    }

private:
    QByteArray m_address;
    bool m_hadAddress = false;
    QByteArray m_runtime;
};

TEST_P(SessionBusLaunch, OnlyWhereNoBusIsFoundAndTheEnvironmentComesBackAsItWas)
{
    const BusRow& row = GetParam();
    QTemporaryDir runtime;
    QLocalServer bus;
    const QString busPath = runtime.filePath(QStringLiteral("bus"));
    if (row.runtimeBus == BusFile::Socket)
        ASSERT_TRUE(bus.listen(busPath));
    if (row.runtimeBus == BusFile::PlainFile)
        quillora::testing::writeFile(busPath, QByteArray());
    qputenv(kRuntime, runtime.path().toLocal8Bit());
    row.address ? qputenv(kAddress, row.address) : qunsetenv(kAddress);

    {
        NoSessionBusLaunch noLaunch;
        EXPECT_EQ(noLaunch.holding(), row.held);
        // The library launches a bus when the address is unset or says so.
        const QByteArray address = qgetenv(kAddress);
        if (row.held)
            EXPECT_FALSE(address.isEmpty() || address.startsWith("autolaunch:"));
        else
            EXPECT_EQ(address, QByteArray(row.address));
    }
    EXPECT_EQ(qEnvironmentVariableIsSet(kAddress), row.address != nullptr);
    EXPECT_EQ(qgetenv(kAddress), QByteArray(row.address));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SessionBusLaunch,
    ::testing::Values(BusRow{"AddressGiven", "unix:path=/run/user/1000/bus", BusFile::None, false},
                      BusRow{"UserBusSocket", nullptr, BusFile::Socket, false},
                      BusRow{"NotASocket", nullptr, BusFile::PlainFile, true},
                      BusRow{"NoBus", nullptr, BusFile::None, true}),
    [](const ::testing::TestParamInfo<BusRow>& info) { return std::string(info.param.name); });

} // namespace
