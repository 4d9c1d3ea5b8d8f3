#pragma once
// LibreOffice's view of a saved deck: convert it to PDF the way the
// command does, and read the PDF's text back with pdftotext.

#include <QString>

namespace quillora::testing {

struct OfficeTools {
    QString soffice;   // empty when LibreOffice is not installed
    QString pdftotext; // empty when poppler-utils is not installed
    bool available() const { return !soffice.isEmpty() && !pdftotext.isEmpty(); }
};
OfficeTools findOfficeTools();

// Converts `deck` to a PDF with the command's conversion, working in
// `outFolder`; the PDF's path, or empty and the reason in `error`.
QString convertToPdf(const OfficeTools& tools, const QString& deck, const QString& outFolder, QString* error);

// The text of a PDF, or empty and the reason in `error`.
QString pdfText(const OfficeTools& tools, const QString& pdf, QString* error);

} // namespace quillora::testing
