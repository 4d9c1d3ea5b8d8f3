#include "tests/support/LibreOffice.h"

#include "tests/support/ChildProcess.h"
#include "cli/PdfExport.h"
#include "platform/QtProcessRunner.h"
#include "core/RuntimeError.h"

#include <QStandardPaths>
#include <QXmlStreamReader>

namespace quillora::testing {

OfficeTools findOfficeTools()
{
    QtProcessRunner runner;
    return {findLibreOffice(runner), QStandardPaths::findExecutable(QStringLiteral("pdftotext"))};
}

QString convertToPdf(const OfficeTools& tools, const QString& deck, const QString& outFolder, QString* error)
{
    QtProcessRunner runner;
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

namespace {

QRectF boxOf(const QXmlStreamAttributes& attributes)
{
    const auto value = [&](const char* name) { return attributes.value(QLatin1String(name)).toDouble(); };
    return QRectF(QPointF(value("xMin"), value("yMin")), QPointF(value("xMax"), value("yMax")));
}

} // namespace

std::vector<PdfPage> pdfLayout(const OfficeTools& tools, const QString& pdf, QString* error)
{
    const ChildRun run = runChild(tools.pdftotext, {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")});
    if (!run.succeeded()) {
        if (error)
            *error = run.diagnostics(tools.pdftotext);
        return {};
    }
    std::vector<PdfPage> pages;
    QXmlStreamReader xml(run.out);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("page")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            pages.push_back({QSizeF(attributes.value(QLatin1String("width")).toDouble(),
                                    attributes.value(QLatin1String("height")).toDouble()),
                             {}});
        } else if (name == QLatin1String("line") && !pages.empty()) {
            pages.back().lines.push_back({boxOf(xml.attributes()), {}});
        } else if (name == QLatin1String("word") && !pages.empty() && !pages.back().lines.empty()) {
            const QRectF box = boxOf(xml.attributes());
            pages.back().lines.back().words.push_back({xml.readElementText(), box});
        }
    }
    if (xml.hasError() || pages.empty()) {
        if (error)
            *error = QStringLiteral("pdftotext -bbox-layout gave nothing readable: %1").arg(xml.errorString());
        return {};
    }
    return pages;
}

} // namespace quillora::testing
