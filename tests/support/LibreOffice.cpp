#include "tests/support/LibreOffice.h"

#include "tests/support/ChildProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace quillora::testing {

OfficeTools findOfficeTools()
{
    return {QStandardPaths::findExecutable(QStringLiteral("soffice")),
            QStandardPaths::findExecutable(QStringLiteral("pdftotext"))};
}

QString convertToPdf(const OfficeTools& tools, const QString& deck, const QString& outFolder, QString* error)
{
    const QString profile = QDir(outFolder).filePath(QStringLiteral("office-profile"));
    ChildOptions options;
    options.channels = QProcess::MergedChannels;
    options.workingDirectory = outFolder;
    options.timeoutMs = 180'000;
    const ChildRun run = runChild(tools.soffice,
                                  {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                   QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                                   QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                                   outFolder, deck},
                                  options);
    const QString pdf = QDir(outFolder).filePath(QFileInfo(deck).completeBaseName() + QStringLiteral(".pdf"));
    if (!run.succeeded() || !QFileInfo::exists(pdf)) {
        if (error)
            *error = run.diagnostics(tools.soffice);
        return {};
    }
    return pdf;
}

QString pdfText(const OfficeTools& tools, const QString& pdf, QString* error)
{
    const ChildRun run = runChild(tools.pdftotext, {pdf, QStringLiteral("-")});
    if (!run.succeeded()) {
        if (error)
            *error = run.diagnostics(tools.pdftotext);
        return {};
    }
    return QString::fromUtf8(run.out);
}

} // namespace quillora::testing
