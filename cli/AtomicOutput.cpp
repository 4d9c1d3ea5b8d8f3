#include "cli/AtomicOutput.h"
#include "cli/CommandText.h"
#include "core/Quoted.h"

#include "core/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillora {
namespace {

#ifdef Q_OS_UNIX
// A new file beside the destination, created with the mode any new file gets
// (0666 less the umask), or the destination's own mode when it exists.
QFile* createSibling(const QString& destination, QString& siblingPath)
{
    const QFileInfo info(destination);
    struct stat existing{};
    const bool replacing = ::stat(QFile::encodeName(destination).constData(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        siblingPath = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                    + QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(QFile::encodeName(siblingPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            throw RuntimeError(CommandText::tr("cannot write %1: %2")
                                   .arg(quoted(destination), QString::fromLocal8Bit(std::strerror(errno))));
        }
        if (replacing)
            ::fchmod(fd, existing.st_mode & 07777);
        auto* file = new QFile;
        if (!file->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            delete file;
            break;
        }
        return file;
    }
    throw RuntimeError(CommandText::tr("cannot write %1").arg(quoted(destination)));
}
#endif

// Writes through `write` into a temporary file beside the destination and
// renames it over the destination once everything is written. `write`
// returns an empty string when it wrote everything, else what went wrong.
template <class Write>
void publish(const QString& requestedDestination, Write&& write)
{
    // An OUT that is a link is written through: the link stays, its target
    // gets the deck.
    const QFileInfo requested(requestedDestination);
    const QString destination = requested.isSymLink() ? requested.symLinkTarget() : requestedDestination;
#ifdef Q_OS_UNIX
    QString siblingPath;
    std::unique_ptr<QFile> out(createSibling(destination, siblingPath));
    auto discard = [&] {
        out->close();
        QFile::remove(siblingPath);
    };
#else
    QSaveFile saveFile(destination);
    QFileDevice* out = &saveFile;
    if (!saveFile.open(QIODevice::WriteOnly))
        throw RuntimeError(CommandText::tr("cannot write %1: %2").arg(quoted(destination), saveFile.errorString()));
    auto discard = [&] { saveFile.cancelWriting(); };
#endif
    try {
        write(*out);
    } catch (...) {
        discard(); // the destination stays as it was
        throw;
    }
#ifdef Q_OS_UNIX
    const bool written = out->flush() && out->error() == QFileDevice::NoError;
    const QString writeError = out->errorString();
    out->close();
    if (!written || ::rename(QFile::encodeName(siblingPath).constData(), QFile::encodeName(destination).constData()) != 0) {
        const QString reason = written ? QString::fromLocal8Bit(std::strerror(errno)) : writeError;
        QFile::remove(siblingPath);
        throw RuntimeError(CommandText::tr("cannot write %1: %2").arg(quoted(destination), reason));
    }
#else
    if (!saveFile.commit())
        throw RuntimeError(CommandText::tr("cannot write %1: %2").arg(quoted(destination), saveFile.errorString()));
#endif
}

} // namespace

void publishFile(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw RuntimeError(CommandText::tr("cannot read the finished file %1: %2").arg(quoted(source), in.errorString()));
    publish(destination, [&](QIODevice& out) {
        QByteArray chunk;
        while (!(chunk = in.read(1 << 20)).isEmpty()) {
            if (out.write(chunk) != chunk.size())
                return; // the flush that follows reports it
        }
        if (in.error() != QFileDevice::NoError)
            throw RuntimeError(
                CommandText::tr("cannot read the finished file %1: %2").arg(quoted(source), in.errorString()));
    });
}

void publishBytes(const QByteArray& bytes, const QString& destination)
{
    publish(destination, [&](QIODevice& out) { out.write(bytes); });
}

} // namespace quillora
