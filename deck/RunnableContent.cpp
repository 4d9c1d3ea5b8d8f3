#include "deck/RunnableContent.h"

#include "deck/OpcPackage.h"

namespace quillora::deck::detail {

void removeRunnableContent(OpcPackage& package, const QString& mainPart)
{
    package.removeParts(kMacroContentTypes, kMacroRelationshipTypes);
    const QString plain = QString::fromLatin1(kPresentationMainContentType);
    if (package.contentType(mainPart) != plain)
        package.setContentType(mainPart, plain);
}

} // namespace quillora::deck::detail
