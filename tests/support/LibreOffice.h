#pragma once
// LibreOffice's view of a saved deck: convert it to PDF the way the
// command does, and read the PDF's text back with pdftotext.

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

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

// Where a PDF's text lies, as pdftotext -bbox-layout reads it: pages of
// lines of words, each with its box in points from the page's top left.
struct PdfWord {
    QString text;
    QRectF box;
};
struct PdfLine {
    QRectF box;
    std::vector<PdfWord> words;
};
struct PdfPage {
    QSizeF size;
    std::vector<PdfLine> lines;
};
// Empty and the reason in `error` when pdftotext fails or says nothing readable.
std::vector<PdfPage> pdfLayout(const OfficeTools& tools, const QString& pdf, QString* error);

} // namespace quillora::testing
