#include "platform/WindowInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quillora {

namespace {

constexpr char kRequestLine[] = "quillora-activate\n";
constexpr int kAnswerMs = 1000;   // a window that has not accepted by then is hung, not starting
constexpr int kLockWaitMs = 5000; // another start checking at the same moment, or a stopped one
constexpr qsizetype kMaxRequest = 4096;

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

// Held while a start looks for a window and takes the socket. The kernel
// lets go of it when the process ends, so a killed start leaves nothing that
// blocks the next; and nothing is written, so taking it costs no disk sync
// (QLockFile syncs its file, which takes milliseconds on a busy disk).
class StartLock {
public:
    explicit StartLock(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        for (int waited = 0; m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && waited < kLockWaitMs; waited += 5)
            QThread::msleep(5);
    }
    ~StartLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

private:
    int m_fd;
};

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

QString windowServerName(const QString& storeFile)
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    const QByteArray store = QDir::cleanPath(QFileInfo(storeFile).absoluteFilePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(store, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1/quillora-%2-%3").arg(folder).arg(getuid()).arg(QString::fromLatin1(hash));
}

bool windowIsRunning(const QString& storeFile)
{
    return tellWindow(windowServerName(storeFile), {});
}

WindowInstance::WindowInstance(const QString& storeFile)
    : m_name(windowServerName(storeFile))
{
    // Closed while the event loop still runs when the program ends normally.
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, &m_server, [this] { m_server.close(); });
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            // The request is complete when the other start hangs up; a
            // connection that sends nothing only asked whether we run.
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

bool WindowInstance::claim(const ActivationRequest& request, OnActivation onActivation)
{
    m_onActivation = std::move(onActivation);
    // Two starts at the same moment take turns, so neither can remove the
    // socket the other has just opened. Without the lock (a folder we may
    // not write) the steps below still hold apart from that moment.
    const StartLock lock(m_name + QStringLiteral(".lock"));

    const QByteArray message = request.encode();
    if (tellWindow(m_name, message))
        return false;
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_name))
        return true;
    if (m_server.serverError() == QAbstractSocket::AddressInUseError) {
        if (tellWindow(m_name, message))
            return false;
        // Nobody answers there: the socket of a window that was killed.
        QLocalServer::removeServer(m_name);
        m_server.listen(m_name);
    }
    return true;
}

} // namespace quillora
