#pragma once
// Whether a template deck has every place the generator writes into: for each
// row of the slide fill map the slide, the shape by name or number, and a
// text frame on it. The command's --check-template and the window's choice
// of a template use it before anything is filled.

#include <QString>
#include <QStringList>

namespace quillora {

// One plain line per missing piece, in the order of the fill map, such as
// `slide 4: no shape named "Rectangle 18"`; empty when nothing is missing.
// Opens the file with the presentation engine; throws RuntimeError with the
// reason when it cannot be read as a presentation. Nothing in the file runs.
QStringList missingTemplatePieces(const QString& templatePath);

// The line after the list: what was checked, or how much is missing.
QString templateCheckSummary(const QStringList& missing);

} // namespace quillora
