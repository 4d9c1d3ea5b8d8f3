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

#include "plan/PlanStore.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>

namespace quillora {

struct PlanDocument {
    QString productName;
    QString planTitle;
    std::map<QString, QString> statements; // setting key -> statement, lines joined by "\r\n"
};

// A plan of 16 sections x 10 000 long lines is about 10 MiB of JSON.
inline constexpr qint64 kPlanFileLimitBytes = qint64(64) << 20;

// Throws RuntimeError with one plain sentence naming the file and what is wrong.
PlanDocument parsePlanJson(const QByteArray& json, const QString& fileName);
PlanDocument readPlanFile(const QString& path);

// Every "\r\n", "\n" and lone "\r" becomes "\r\n".
QString normaliseLineBreaks(const QString& text);

// A plan store that serves the document's statements from memory and keeps
// whatever is written to it there, so the user's stored plan is never touched.
std::unique_ptr<SettingsBackend> makeInMemoryPlanStore(const PlanDocument& plan);

} // namespace quillora
