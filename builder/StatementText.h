#pragma once
// A section's statement as the shape text writer would set it in its shape,
// without writing it: for a fit meter that lays the text out at every
// keystroke. The template's shape is filled once, by the real writer, with a
// point and a sub-point; the paragraphs it makes there are the patterns every
// later statement's paragraphs are made from, so what is laid out is what a
// run would write, in the template in use.

#include "layout/TextStyle.h"

#include <QString>
#include <QStringList>

namespace quillora {

class StatementText {
public:
    // The section's shape in the template (by the section's setting key).
    // Throws RuntimeError when the template cannot be read, lacks the shape,
    // or the writer fails there.
    StatementText(const QString& templatePath, const QString& sectionKey);

    // The statement's lines, one paragraph each, as updateText writes them.
    layout::ShapeText shapeText(const QStringList& lines) const;

private:
    layout::ShapeText m_patterns; // a point, a sub-point and the empty end paragraph
};

} // namespace quillora
