#include "cli/PdfExport.h"
#include "cli/CommandText.h"

#include "core/RuntimeError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>
#include <unistd.h>

namespace quillora {

ProcessOutcome QProcessRunner::run(const QString& program, const QStringList& arguments, int timeoutMs,
                                   const std::function<void(qint64)>& tick)
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
    while (!process.waitForFinished(250)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (timer.elapsed() >= timeoutMs) {
            process.kill();
            process.waitForFinished();
            outcome.timedOut = true;
            return outcome;
        }
        if (tick)
            tick(timer.elapsed());
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.errorOutput = QString::fromLocal8Bit(process.readAll());
    return outcome;
}

void ProgressLine::show(const QString& text)
{
    if (!m_enabled)
        return;
    // Carriage return and "erase to end of line": the line rewrites itself.
    std::fprintf(stderr, "\r%s\033[K", text.toLocal8Bit().constData());
    std::fflush(stderr);
    m_shown = true;
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_shown = false;
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

QString findLibreOffice()
{
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

void writeProfileSettings(const QString& profile)
{
    const QString user = QDir(profile).filePath(QStringLiteral("user"));
    QFile settings(QDir(user).filePath(QStringLiteral("registrymodifications.xcu")));
    static const QByteArray kSettings =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
        "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "<item oor:path=\"/org.openoffice.Office.Common/Security/Scripting\">"
        "<prop oor:name=\"MacroSecurityLevel\" oor:op=\"fuse\"><value>3</value></prop></item>\n"
        "<item oor:path=\"/org.openoffice.Office.Common/Security/Scripting\">"
        "<prop oor:name=\"DisableMacrosExecution\" oor:op=\"fuse\"><value>true</value></prop></item>\n"
        "</oor:items>\n";
    if (!QDir().mkpath(user) || !settings.open(QIODevice::WriteOnly) || settings.write(kSettings) != kSettings.size()
        || !settings.flush())
        throw RuntimeError(CommandText::tr("cannot prepare LibreOffice's settings in \"%1\": %2")
                               .arg(user, settings.errorString()));
}

namespace {

QString lastLine(const QString& text)
{
    const QStringList lines = text.trimmed().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

} // namespace

QString convertToPdf(ProcessRunner& runner, const QString& soffice, const QString& deckPath,
                     const QString& workFolder, ProgressLine& progress)
{
    const QDir work(workFolder);
    const QString profile = work.filePath(QStringLiteral("office-profile"));
    const QString outFolder = work.filePath(QStringLiteral("pdf"));
    if (!QDir().mkpath(outFolder))
        throw RuntimeError(CommandText::tr("cannot create the folder \"%1\" for the PDF").arg(outFolder));

    // LibreOffice picks the import filter from the content, but names its
    // output after the input: give it a plain, known name.
    const QString input = work.filePath(QStringLiteral("deck.pptx"));
    QFile::remove(input);
    if (!QFile::copy(deckPath, input))
        throw RuntimeError(CommandText::tr("cannot prepare the deck for PDF conversion in \"%1\"").arg(workFolder));

    writeProfileSettings(profile);

    const QStringList arguments{
        QStringLiteral("--headless"),
        QStringLiteral("--norestore"),
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
        QStringLiteral("--convert-to"),
        QStringLiteral("pdf"),
        QStringLiteral("--outdir"),
        outFolder,
        input,
    };
    progress.show(CommandText::tr("Converting to PDF with LibreOffice..."));
    const ProcessOutcome outcome = runner.run(soffice, arguments, kPdfTimeoutMs, [&](qint64 elapsedMs) {
        progress.show(CommandText::tr("Converting to PDF with LibreOffice... %1 s").arg(elapsedMs / 1000));
    });
    progress.clear();

    if (!outcome.started) {
        throw RuntimeError(CommandText::tr("LibreOffice (\"%1\") could not be started: %2")
                               .arg(soffice, outcome.errorOutput));
    }
    if (outcome.timedOut) {
        throw RuntimeError(CommandText::tr("LibreOffice did not finish the PDF within %1 seconds and was stopped")
                               .arg(kPdfTimeoutMs / 1000));
    }
    const QString pdf = QDir(outFolder).filePath(QStringLiteral("deck.pdf"));
    // LibreOffice can exit with 0 without writing anything; the file is the proof.
    if (outcome.exitCode != 0 || !QFileInfo(pdf).isFile() || QFileInfo(pdf).size() == 0) {
        const QString detail = lastLine(outcome.errorOutput);
        throw RuntimeError(CommandText::tr("LibreOffice could not convert the deck to PDF (exit status %1%2)")
                               .arg(outcome.exitCode)
                               .arg(detail.isEmpty() ? QString() : QStringLiteral(": ") + detail));
    }
    return pdf;
}

} // namespace quillora
