#pragma once
// Characters that XML 1.0 cannot hold (most C0 controls, U+FFFE, U+FFFF,
// unpaired surrogates) are stored as "_xHHHH_", the escape Office Open XML
// defines for text. A literal "_x" followed by four hex digits has its
// underscore escaped ("_x005F_"), so reading gives back exactly what was
// written.

#include <QString>

namespace quillora::deck::detail {

QString escapeOoxmlText(const QString& text);
QString unescapeOoxmlText(const QString& text);

} // namespace quillora::deck::detail
