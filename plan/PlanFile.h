#pragma once
// A plan kept in a JSON file instead of the per-user settings:
//
//   {
//     "productName": "Acme Rocket Skates",
//     "planTitle": "Launch plan 2027",
//     "sections": {
//       "Market Summary": ["Market: growing", "- Review the last three years"],
//       "Pricing": "Premium\n- Priced above the nearest competitor"
//     }
//   }
//
// Sections are named by their exact tab caption or by their setting key; a
// section's text is an array of lines or one string. Line breaks inside
// strings ("\n", "\r\n" or a lone "\r") all become the "\r\n" the plan store
// uses. Sections left out stay empty, so their slides keep the template's text.
// An object with the same key twice is refused: which one was meant is a guess.
//
// A file written by the program (writePlanFile) carries the stored plan
// exactly, and says so with one more field:
//
//   { "lineBreaks": "exact", ... "Pricing": ["Premium\r", "- Priced \n above"] }
//
// Then a statement's array is joined with "\r\n" and nothing else changes:
// the writer splits on "\r\n" only, so a lone "\r" or "\n" stays inside its
// line and comes back as it was, and a trailing break is the empty last
// line. The marker keeps every file without it reading as before (a hand-made
// file's "\n" still becomes "\r\n"), and an older reader refuses the field
// rather than quietly changing the text. The array-of-lines form stays
// readable and editable; a single string was the alternative, but a long
// statement would be one unreadable line.

#include "plan/PlanStore.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <map>
#include <memory>

namespace quillora {

// What is wrong with a plan file, read or written, is told under this context.
struct PlanFileText {
    Q_DECLARE_TR_FUNCTIONS(PlanFile)
};

struct PlanDocument {
    QString productName;
    QString planTitle;
    std::map<QString, QString> statements; // setting key -> statement, lines joined by "\r\n"
    // Whether the file or store holds the two titles at all, so a title never
    // stored is not stored as empty text by an import.
    bool hasProductName = false;
    bool hasPlanTitle = false;
};

// The JSON fields of a plan file.
inline constexpr char kProductNameField[] = "productName";
inline constexpr char kPlanTitleField[] = "planTitle";
inline constexpr char kSectionsField[] = "sections";
inline constexpr char kLineBreaksField[] = "lineBreaks";
inline constexpr char kExactLineBreaks[] = "exact";

// A plan of 16 sections x 10 000 long lines is about 10 MiB of JSON.
inline constexpr qint64 kPlanFileLimitBytes = qint64(64) << 20;

// Throws RuntimeError with one plain sentence naming the file and what is wrong.
PlanDocument parsePlanJson(const QByteArray& json, const QString& fileName);
PlanDocument readPlanFile(const QString& path);

// Every "\r\n", "\n" and lone "\r" becomes "\r\n".
QString normaliseLineBreaks(const QString& text);

} // namespace quillora
