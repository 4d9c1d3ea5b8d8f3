#include "tests/support/ChildProcess.h"

namespace quillora::testing {

QString ChildRun::diagnostics(const QString& program) const
{
    if (!finished)
        return QStringLiteral("%1 did not run to its end").arg(program);
    return QStringLiteral("%1 exited with %2: %3").arg(program).arg(exitCode).arg(QString::fromUtf8(err.isEmpty() ? out : err));
}

std::unique_ptr<QProcess> startChild(const QString& program, const QStringList& arguments, const ChildOptions& options)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(options.environment);
    process->setProcessChannelMode(options.channels);
    if (!options.workingDirectory.isEmpty())
        process->setWorkingDirectory(options.workingDirectory);
    process->start(program, arguments);
    return process;
}

ChildRun finishChild(QProcess& process, const ChildOptions& options)
{
    ChildRun run;
    if (!process.waitForStarted() || !process.waitForFinished(options.timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.finished = true;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

ChildRun runChild(const QString& program, const QStringList& arguments, const ChildOptions& options)
{
    const auto process = startChild(program, arguments, options);
    return finishChild(*process, options);
}

} // namespace quillora::testing
