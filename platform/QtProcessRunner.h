#pragma once
// Starts programs with QProcess, waiting in slices so the caller can show
// progress and stop the wait.

#include "core/ProcessRunner.h"

namespace quillora {

class QtProcessRunner final : public ProcessRunner {
public:
    ProcessOutcome run(const QString& program, const QStringList& arguments, int timeoutMs,
                       const Tick& tick) override;
    QString findProgram(const QString& name) override;
};

} // namespace quillora
