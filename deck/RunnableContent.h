#pragma once
// What a template may carry that could run when the filled deck is opened:
// its VBA project (with the project's signatures and data). The engine drops
// it when it opens a package, so no deck it saves carries it and every deck
// it saves is a plain presentation.

#include <QString>
#include <QStringList>

namespace quillora::deck::detail {

class OpcPackage;

inline constexpr char kPresentationMainContentType[] =
    "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";

inline const QStringList kMacroContentTypes{
    QStringLiteral("application/vnd.ms-office.vbaProject"),
    QStringLiteral("application/vnd.ms-office.vbaProjectSignature"),
    QStringLiteral("application/vnd.ms-office.vbaProjectSignatureAgile"),
    QStringLiteral("application/vnd.ms-office.vbaProjectSignatureV3"),
    QStringLiteral("application/vnd.ms-word.vbaData+xml"),
};

inline const QStringList kMacroRelationshipTypes{
    QStringLiteral("http://schemas.microsoft.com/office/2006/relationships/vbaProject"),
    QStringLiteral("http://schemas.microsoft.com/office/2006/relationships/vbaProjectSignature"),
    QStringLiteral("http://schemas.microsoft.com/office/2014/relationships/vbaProjectSignatureAgile"),
    QStringLiteral("http://schemas.microsoft.com/office/2020/07/relationships/vbaProjectSignatureV3"),
    QStringLiteral("http://schemas.microsoft.com/office/2006/relationships/wordVbaData"),
};

// Drops the macros and makes mainPart a plain presentation, whatever it
// was (a template, a slide show, macro-enabled or not): the filled deck is
// saved as a .pptx, which no reader takes for anything else.
void removeRunnableContent(OpcPackage& package, const QString& mainPart);

} // namespace quillora::deck::detail
