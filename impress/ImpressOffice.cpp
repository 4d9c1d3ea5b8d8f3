#include "impress/ImpressOffice.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace quillora::impress {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr qint64 kPollMs = 50;
constexpr qint64 kEndedGraceMs = 3000;

QString programFolder(const office::OfficeOptions& options)
{
    return options.installFolder.isEmpty() ? QStringLiteral(QUILLORA_LIBREOFFICE_PROGRAM) : options.installFolder;
}

css::uno::XComponentContext* runtimeContext = nullptr;

// Ends every connection made from this runtime and waits for the threads
// that serve them. Left running, a connection's reader would go on after
// exit has begun tearing down the UNO runtime it uses, and crash there.
void closeConnections()
{
    try {
        const auto bridges = css::bridge::BridgeFactory::create(runtimeContext)->getExistingBridges();
        for (const Reference<css::bridge::XBridge>& bridge : bridges) {
            Reference<css::lang::XComponent> component(bridge, css::uno::UNO_QUERY);
            if (component.is())
                component->dispose();
        }
    } catch (const css::uno::Exception&) {
        // Nothing more can be done at exit.
    }
}

// The process's own UNO runtime, made once and kept to the end.
Reference<css::uno::XComponentContext> localContext(const office::OfficeOptions& options)
{
    static std::mutex guard;
    std::lock_guard lock(guard);
    if (!runtimeContext) {
        const QString rc = QUrl::fromLocalFile(programFolder(options) + QStringLiteral("/fundamentalrc")).toString();
        rtl::Bootstrap::set(OUString("URE_BOOTSTRAP"), toUno(rc));
        Reference<css::uno::XComponentContext> made = uno([] { return cppu::defaultBootstrap_InitialComponentContext(); });
        made->acquire(); // never released: UNO outlives every object made from it
        runtimeContext = made.get();
        // Registered after the runtime's own statics were made, so it runs
        // before they are destroyed.
        std::atexit(closeConnections);
        // A write to an office that was killed would end this process with
        // SIGPIPE before the connection notices; unless the host handles the
        // signal itself, the write fails instead and the call reports it.
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGPIPE, SIG_IGN);
    }
    return runtimeContext;
}

// Hung up: the connection was closed in the middle of the greeting.
enum class Answer { Office, Nobody, NotAnOffice, HungUp, NoAnswer };

struct Attempt {
    Answer answer = Answer::NoAnswer;
    Reference<css::uno::XComponentContext> remote;
    QString detail;
};

// One connection attempt, waiting at most waitMs for an answer: something
// that accepts on the pipe and never speaks the office's protocol must not
// hold the caller. A late attempt finishes on its own thread.
Attempt resolveOnce(const Reference<css::uno::XComponentContext>& local, const QString& pipe, qint64 waitMs)
{
    struct Shared {
        std::mutex m;
        std::condition_variable done;
        bool finished = false;
        Attempt attempt;
    };
    auto shared = std::make_shared<Shared>();
    const OUString url = toUno(QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipe));
    std::thread([shared, local, url] {
        Attempt attempt;
        try {
            Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(local);
            attempt.remote.set(resolver->resolve(url), UNO_QUERY_THROW);
            attempt.answer = Answer::Office;
        } catch (const css::connection::NoConnectException& e) {
            attempt.answer = Answer::Nobody;
            attempt.detail = fromUno(e.Message);
        } catch (const css::lang::DisposedException& e) {
            attempt.answer = Answer::HungUp;
            attempt.detail = fromUno(e.Message);
        } catch (const css::uno::Exception& e) {
            attempt.answer = Answer::NotAnOffice;
            attempt.detail = fromUno(e.Message);
        }
        std::lock_guard lock(shared->m);
        shared->attempt = std::move(attempt);
        shared->finished = true;
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->m);
    if (!shared->done.wait_for(lock, std::chrono::milliseconds(std::max<qint64>(waitMs, 1)),
                               [&] { return shared->finished; }))
        return Attempt{};
    return std::move(shared->attempt);
}

QString sofficePath(const office::OfficeOptions& options)
{
    if (QFileInfo(options.program).isAbsolute())
        return QFileInfo(options.program).isExecutable() ? options.program : QString();
    return QStandardPaths::findExecutable(options.program);
}

// Starts soffice in its own session with its output discarded. With an
// office of the same profile already running, that office takes the
// request and starts listening on the pipe instead.
qint64 startOffice(const office::OfficeOptions& options)
{
    QProcess process;
    process.setProgram(sofficePath(options));
    QStringList arguments{QStringLiteral("--nologo"), QStringLiteral("--norestore"), QStringLiteral("--nodefault"),
                          QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(options.pipeName)};
    if (options.headless)
        arguments << QStringLiteral("--headless");
    if (!options.profileUrl.isEmpty())
        arguments << QStringLiteral("-env:UserInstallation=") + options.profileUrl;
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (process.program().isEmpty() || !process.startDetached(&pid))
        return 0;
    return pid;
}

bool processExists(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) S ...": a zombie has ended.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) != "Z";
}

} // namespace

QString describeUno(const css::uno::Exception& e)
{
    const QString message = fromUno(e.Message).section(QLatin1Char('\n'), 0, 0).trimmed();
    return message.isEmpty() ? RuntimeError::tr("LibreOffice Impress refused the call") : message;
}

QList<qint64> officeProcesses(const QString& profileUrl)
{
    QList<qint64> found;
    const QString profileArgument = QStringLiteral("-env:UserInstallation=");
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || QFileInfo(QStringLiteral("/proc/") + entry).ownerId() != ::getuid())
            continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(entry));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "soffice.bin")
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray raw = cmdline.readAll();
        if (raw.isEmpty())
            continue; // a process that has ended and was not yet reaped
        QString profile;
        for (const QByteArray& argument : raw.split('\0')) {
            const QString text = QString::fromLocal8Bit(argument);
            if (text.startsWith(profileArgument))
                profile = text.mid(profileArgument.size());
        }
        if (profile == profileUrl)
            found << pid;
    }
    return found;
}

bool officeInstalled(const office::OfficeOptions& options)
{
    return !sofficePath(options).isEmpty() && QFile::exists(programFolder(options) + QStringLiteral("/fundamentalrc"));
}

static Connection resolveOffice(const office::OfficeOptions& options, qint64 timeoutMs);

namespace {

// One connection per pipe for the whole process, kept while it works. The
// objects every connection to an office hands out are known in this
// process's UNO environment by their id in that office, so a second
// connection to the same office is given the first one's objects; one
// connection ending unused while the next one makes its first call then
// ends that call ("bridge disposed during call").
std::mutex keptGuard;
std::map<QString, Connection>& keptConnections()
{
    static auto* kept = new std::map<QString, Connection>; // never destroyed: released at exit, its office may be gone
    return *kept;
}

bool answers(const Connection& connection)
{
    try {
        return connection.context->getServiceManager().is();
    } catch (const css::uno::Exception&) {
        return false; // its office ended or was killed
    }
}

} // namespace

Connection connectOffice(const office::OfficeOptions& options, qint64 timeoutMs)
{
    {
        std::unique_lock lock(keptGuard);
        const auto kept = keptConnections().find(options.pipeName);
        if (kept != keptConnections().end()) {
            const Connection connection = kept->second;
            lock.unlock();
            if (answers(connection))
                return connection;
        }
    }
    // Not held while resolving: an office slow to answer holds up no other.
    const Connection made = resolveOffice(options, timeoutMs);
    std::lock_guard lock(keptGuard);
    keptConnections()[options.pipeName] = made;
    return made;
}

static Connection resolveOffice(const office::OfficeOptions& options, qint64 timeoutMs)
{
    const Reference<css::uno::XComponentContext> local = localContext(options);
    QElapsedTimer clock;
    clock.start();
    qint64 started = 0;
    qint64 endedAt = -1; // when the started program was first seen gone
    for (;;) {
        const Attempt attempt = resolveOnce(local, options.pipeName, timeoutMs - clock.elapsed());
        switch (attempt.answer) {
        case Answer::Office: {
            Connection connection;
            connection.context = attempt.remote;
            connection.desktop = uno([&] { return css::frame::Desktop::create(attempt.remote); });
            return connection;
        }
        case Answer::HungUp:
            // An office started with a new profile starts itself again
            // once, closing the pipe it had opened: ask again while it runs.
            if (started && processExists(started))
                break;
            [[fallthrough]];
        case Answer::NotAnOffice:
            throw RuntimeError(RuntimeError::tr("The pipe \"%1\" is held by a program that is not LibreOffice (%2)")
                                   .arg(options.pipeName, attempt.detail));
        case Answer::NoAnswer:
            throw RuntimeError(RuntimeError::tr("Nothing answered on the pipe \"%1\" in time").arg(options.pipeName));
        case Answer::Nobody:
            break;
        }
        // Nothing listens (a socket file left by an office that was killed
        // refuses the same way): start one, once.
        if (!started) {
            started = startOffice(options);
            if (!started)
                throw RuntimeError(RuntimeError::tr("LibreOffice could not be started"));
        } else if (!processExists(started) || officeProcesses(options.profileUrl).isEmpty()) {
            // Handing the request to an office already running ends the
            // started program at once, and the pipe answers shortly; an
            // office that cannot start (no display) ends, leaving its
            // launcher waiting.
            if (endedAt < 0) {
                endedAt = clock.elapsed();
            } else if (clock.elapsed() - endedAt > kEndedGraceMs) {
                ::kill(static_cast<pid_t>(started), SIGKILL);
                throw RuntimeError(RuntimeError::tr("LibreOffice ended without answering on the pipe \"%1\"").arg(options.pipeName));
            }
        } else {
            endedAt = -1;
        }
        if (clock.elapsed() + kPollMs >= timeoutMs)
            throw RuntimeError(RuntimeError::tr("LibreOffice Impress did not answer within %1 seconds").arg(timeoutMs / 1000));
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

} // namespace quillora::impress
