#include "platform/QtProcessRunner.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

namespace quillora {

ProcessOutcome QtProcessRunner::run(const QString& program, const QStringList& arguments, int timeoutMs,
                                    const Tick& tick)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    ProcessOutcome outcome;
    if (!process.waitForStarted()) {
        outcome.errorOutput = process.errorString();
        return outcome;
    }
    outcome.started = true;
    QElapsedTimer timer;
    timer.start();
    while (!process.waitForFinished(100)) {
        if (process.state() == QProcess::NotRunning)
            break;
        const bool late = timer.elapsed() >= timeoutMs;
        if (late || (tick && !tick(timer.elapsed()))) {
            process.kill();
            process.waitForFinished();
            (late ? outcome.timedOut : outcome.stopped) = true;
            return outcome;
        }
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.errorOutput = QString::fromLocal8Bit(process.readAll());
    return outcome;
}

QString QtProcessRunner::findProgram(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

} // namespace quillora
