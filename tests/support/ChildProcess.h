#pragma once
// Runs another program to its end and collects what it said, for tests that
// need a separate process: a fresh run of the program, a probe, LibreOffice.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

namespace quillora::testing {

struct ChildOptions {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString workingDirectory;                                   // empty: this process's
    QProcess::ProcessChannelMode channels = QProcess::SeparateChannels;
    int timeoutMs = 60'000;
};

struct ChildRun {
    bool finished = false; // ran to its end within the time allowed
    int exitCode = -1;     // -1 when it crashed or did not finish
    QByteArray out, err;   // with merged channels everything is in `out`

    bool succeeded() const { return finished && exitCode == 0; }
    // What to show when it failed: its error output, or why it did not end.
    QString diagnostics(const QString& program) const;
};

// The program started with the options' environment and channels.
std::unique_ptr<QProcess> startChild(const QString& program, const QStringList& arguments,
                                     const ChildOptions& options = {});
// Waits for a started program; kills it when it outlasts the options' time.
ChildRun finishChild(QProcess& process, const ChildOptions& options = {});
ChildRun runChild(const QString& program, const QStringList& arguments, const ChildOptions& options = {});

} // namespace quillora::testing
