#pragma once
// File names and section names in messages stand in quotation marks: "…" in
// English, and each language's own where it has a translation („…“ in
// German).

#include <QCoreApplication>
#include <QString>

namespace quillora {

inline QString quoted(const QString& text)
{
    return QCoreApplication::translate("Quoted", "\"%1\"").arg(text);
}

} // namespace quillora
