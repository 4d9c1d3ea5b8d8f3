#pragma once
// A filled deck rewritten the way a reader that ignores a:normAutofit's
// stored scale has to be shown that scale: every run and paragraph end at
// its scaled size in plain sight, every paragraph's line spacing less the
// reduction, and the shape no longer fitting its text (a:noAutofit). Then
// LibreOffice draws exactly the scale and the test sees where its lines go.

#include "layout/TextStyle.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace quillora::testing {

struct ShapeAtScale {
    int slide = 0; // 1-based; its part is ppt/slides/slide<slide>.xml
    QString shape;
    layout::Scale scale;
};

// An empty paragraph takes its place in the text but shows nothing; this
// is what it shows instead, so that where it lies can be seen in a PDF.
inline constexpr char kEmptyParagraphMark[] = ".";

// Empty paragraphs show kEmptyParagraphMark at their size. Throws
// std::runtime_error when the deck cannot be read or a shape is missing.
QByteArray withPlainScale(const QByteArray& deck, const std::vector<ShapeAtScale>& shapes);

} // namespace quillora::testing
