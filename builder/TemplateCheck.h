#pragma once
// Whether a template deck has every place the generator writes into: for each
// row of the slide fill map the slide, the shape by name or number, and a
// text frame on it. The command's --check-template and the window's choice
// of a template use it before anything is filled.

#include "core/RuntimeError.h"

#include <QString>
#include <QStringList>

namespace quillora {

// A template the presentation engine cannot read. The description names the
// template once ("the template "…" cannot be read as a presentation: it is
// not a presentation file …"); reason() is the part after the colon, for a
// sentence that names the file itself.
class UnreadableTemplate : public RuntimeError {
public:
    UnreadableTemplate(const QString& templatePath, const QString& reason);
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// One plain line per missing piece, in the order of the fill map, such as
// `slide 4: no shape named "Rectangle 18"`; empty when nothing is missing.
// Opens the file with the presentation engine; throws UnreadableTemplate
// when it cannot be read as a presentation. Nothing in the file runs.
QStringList missingTemplatePieces(const QString& templatePath);

// The line after the list: what was checked, or how much is missing.
QString templateCheckSummary(const QStringList& missing);

} // namespace quillora
