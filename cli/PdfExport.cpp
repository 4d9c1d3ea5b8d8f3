#include "cli/PdfExport.h"
#include "cli/CommandText.h"

#include "builder/OfficeConversion.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>
#include <unistd.h>

namespace quillora {

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
    const ProcessOutcome outcome = runner.run(soffice, arguments, kOfficeTimeoutMs, [&](qint64 elapsedMs) {
        progress.show(CommandText::tr("Converting to PDF with LibreOffice... %1 s").arg(elapsedMs / 1000));
        return true;
    });
    progress.clear();

    if (!outcome.started) {
        throw RuntimeError(CommandText::tr("LibreOffice (\"%1\") could not be started: %2")
                               .arg(soffice, outcome.errorOutput));
    }
    if (outcome.timedOut) {
        throw RuntimeError(CommandText::tr("LibreOffice did not finish the PDF within %1 seconds and was stopped")
                               .arg(kOfficeTimeoutMs / 1000));
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
