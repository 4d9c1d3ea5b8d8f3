#include "tests/support/LibreOffice.h"

#include "tests/support/ChildProcess.h"
#include "cli/PdfExport.h"
#include "core/RuntimeError.h"

#include <QStandardPaths>

namespace quillora::testing {

OfficeTools findOfficeTools()
{
    return {findLibreOffice(), QStandardPaths::findExecutable(QStringLiteral("pdftotext"))};
}

QString convertToPdf(const OfficeTools& tools, const QString& deck, const QString& outFolder, QString* error)
{
    QProcessRunner runner;
    ProgressLine silent(false);
    try {
        return quillora::convertToPdf(runner, tools.soffice, deck, outFolder, silent);
    } catch (const RuntimeError& e) {
        if (error)
            *error = e.description();
        return {};
    }
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
