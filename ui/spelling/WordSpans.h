#pragma once
// Splits a paragraph into the words a spelling check looks at. Left out:
// words with digits ("Q3", "4K"), anything in an e-mail or web address, and
// all-capitals abbreviations ("ROI", "B2B").

#include <QList>
#include <QString>
#include <optional>

namespace quillora {

struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    // The word as a dictionary expects it (typographic apostrophes made plain).
    QString word;
};

QList<WordSpan> checkableWords(const QString& paragraph);

// The checkable word that covers `position` (also just after its end), if any.
std::optional<WordSpan> checkableWordAt(const QString& paragraph, qsizetype position);

} // namespace quillora
