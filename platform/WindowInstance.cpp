#include "platform/WindowInstance.h"

#include "core/FileNames.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <memory>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quillora {

namespace {

constexpr char kRequestLine[] = "quillora-activate\n";
constexpr int kAnswerMs = 1000;    // a window that has not accepted by then is hung, not starting
constexpr int kClaimWaitMs = 5000; // a window still starting, the command replacing the plan, or a stopped window
constexpr int kRetryMs = 10;
constexpr qsizetype kMaxRequest = 4096;
constexpr qsizetype kMaxAddress = 4096;

// Sends `message` to the window listening under `name`; false when nobody
// listens there.
bool tellWindow(const QString& name, const QByteArray& message)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kAnswerMs))
        return false;
    if (!message.isEmpty()) {
        socket.write(message);
        socket.waitForBytesWritten(kAnswerMs);
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kAnswerMs);
    return true;
}

QByteArray valueOf(const QByteArray& line, const QByteArray& key)
{
    return line.startsWith(key + '=') ? QByteArray::fromPercentEncoding(line.mid(key.size() + 1)) : QByteArray();
}

} // namespace

ActivationRequest ActivationRequest::fromEnvironment()
{
    return {qgetenv("DESKTOP_STARTUP_ID"), qgetenv("XDG_ACTIVATION_TOKEN")};
}

QByteArray ActivationRequest::encode() const
{
    return kRequestLine + QByteArray("startup-id=") + startupId.toPercentEncoding() + "\nactivation-token=" +
           activationToken.toPercentEncoding() + '\n';
}

ActivationRequest ActivationRequest::decode(const QByteArray& message)
{
    ActivationRequest request;
    for (const QByteArray& line : message.split('\n')) {
        if (line.startsWith("startup-id="))
            request.startupId = valueOf(line, "startup-id");
        else if (line.startsWith("activation-token="))
            request.activationToken = valueOf(line, "activation-token");
    }
    return request;
}

QString windowClaimFile(const QString& storeFile)
{
    return storeFile + QLatin1String(kWindowClaimSuffix);
}

PlanClaim::PlanClaim(const QString& storeFile) : m_path(windowClaimFile(storeFile)) {}

PlanClaim::~PlanClaim()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock
}

void PlanClaim::openFile()
{
    if (m_fd >= 0)
        return;
    // The settings folder, as the store makes it at its first write.
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QByteArray path = QFile::encodeName(m_path);
    // Not inherited by programs the window starts (an office), which would
    // otherwise hold the claim after the window ended.
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC); // there, but not ours to write: locking still works
}

bool PlanClaim::available()
{
    openFile();
    return m_fd >= 0;
}

bool PlanClaim::take()
{
    if (m_held)
        return true;
    openFile();
    m_held = m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    return m_held;
}

QString PlanClaim::holderAddress() const
{
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray address(kMaxAddress, '\0');
    const ssize_t size = ::pread(fd, address.data(), size_t(address.size()), 0);
    ::close(fd);
    address.truncate(qMax<ssize_t>(size, 0));
    return QString::fromUtf8(address).trimmed();
}

void PlanClaim::setAddress(const QString& address)
{
    if (!m_held)
        return;
    const QByteArray line = address.toUtf8() + '\n';
    // Not forced to the disk: a later start only needs it while this process runs.
    if (::ftruncate(m_fd, 0) == 0 && ::pwrite(m_fd, line.constData(), size_t(line.size()), 0) != line.size())
        static_cast<void>(::ftruncate(m_fd, 0));
}

QString windowServerName(const QString& storeFile)
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    // The settings file's real place, so one plan has one name however its
    // folder is spelled.
    const QFileInfo store(storeFile);
    const QString realFolder = QFileInfo(store.absolutePath()).canonicalFilePath();
    const QByteArray key =
        (realFolder.isEmpty() ? QDir::cleanPath(store.absoluteFilePath()) : realFolder + u'/' + store.fileName()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1/quillora-%2-%3").arg(folder).arg(getuid()).arg(QString::fromLatin1(hash));
}

bool windowIsRunning(const QString& storeFile)
{
    // Only looked at: a missing lock file means nobody ever held the claim.
    const int fd = ::open(QFile::encodeName(windowClaimFile(storeFile)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

WindowInstance::WindowInstance(const QString& storeFile) : m_storeFile(storeFile), m_claim(storeFile)
{
    // Closed while the event loop still runs when the program ends normally.
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, &m_server, [this] { m_server.close(); });
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            // The request is complete when the other start hangs up.
            auto received = std::make_shared<QByteArray>();
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
                received->append(socket->read(kMaxRequest - received->size()));
            });
            // Everything sent has been read by the time the socket reports
            // the other end gone.
            QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket, received] {
                socket->deleteLater();
                if (received->startsWith(kRequestLine) && m_onActivation)
                    m_onActivation(ActivationRequest::decode(*received));
            });
        }
    });
}

void WindowInstance::listen()
{
    const QString name = windowServerName(m_storeFile);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(name) && m_server.serverError() == QAbstractSocket::AddressInUseError) {
        // This process holds the claim, so a socket under the plan's name
        // is one a killed window left behind.
        QLocalServer::removeServer(name);
        m_server.listen(name);
    }
    if (m_server.isListening())
        m_claim.setAddress(m_server.fullServerName());
}

bool WindowInstance::claim(const ActivationRequest& request, OnActivation onActivation)
{
    m_onActivation = std::move(onActivation);
    const QByteArray message = request.encode();
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (m_claim.take() || !m_claim.available()) {
            listen();
            return true;
        }
        // The holder may still be starting (its address not written yet) or
        // be the command replacing the plan, which lets go in a moment.
        const QString address = m_claim.holderAddress();
        if (!address.isEmpty() && tellWindow(address, message))
            return false;
        if (waited.elapsed() >= kClaimWaitMs)
            return false;
        QThread::msleep(kRetryMs);
    }
}

} // namespace quillora
