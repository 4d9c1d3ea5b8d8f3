#pragma once
// The door to other programs: start one and wait for it. The command and the
// window start LibreOffice through it; tests replace it to see the command
// line without starting anything.

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

namespace quillora {

struct ProcessOutcome {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    QString errorOutput; // what the program printed, for the failure message
    bool stopped = false; // the waiter asked to stop it
};

class ProcessRunner {
public:
    // Called a few times a second while the program runs, with the time
    // waited so far in milliseconds; false stops the program.
    using Tick = std::function<bool(qint64)>;

    virtual ~ProcessRunner() = default;
    virtual ProcessOutcome run(const QString& program, const QStringList& arguments, int timeoutMs,
                               const Tick& tick) = 0;
    // The path of an installed program; empty when there is none.
    virtual QString findProgram(const QString& name) = 0;
};

// The path of LibreOffice's "soffice"; empty when it is not installed.
inline QString findLibreOffice(ProcessRunner& runner)
{
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString path = runner.findProgram(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

} // namespace quillora
