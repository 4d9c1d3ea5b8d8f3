#pragma once
// What an auto-numbered paragraph shows before its text.

#include <QString>

namespace quillora::layout {

// The label of number n in a DrawingML numbering scheme: "3." for
// arabicPeriod, "c)" for alphaLcParenR, "(iv)" for romanLcParenBoth, ...;
// schemes it does not know count in arabic numerals with a period.
QString autoNumberText(const QString& scheme, int n);

} // namespace quillora::layout
