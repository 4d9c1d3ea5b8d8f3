#include "platform/DesktopHandlers.h"

#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace quillora {
namespace {

// One line of what `xdg-mime ARGS` prints, or nothing when it cannot run or fails.
std::optional<QString> askXdgMime(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

HandlerAnswer desktopHasHandlerFor(const QString& path)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return HandlerAnswer::Unknown;
    const std::optional<QString> type = askXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), path});
    if (!type || type->isEmpty())
        return HandlerAnswer::Unknown;
    const std::optional<QString> handler = askXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), *type});
    if (!handler)
        return HandlerAnswer::Unknown;
    return handler->isEmpty() ? HandlerAnswer::No : HandlerAnswer::Yes;
}

} // namespace quillora
