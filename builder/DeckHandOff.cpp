#include "builder/DeckHandOff.h"
#include "core/AppTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace quillora {

struct HandOffText {
    Q_DECLARE_TR_FUNCTIONS(DeckHandOff)
};

std::vector<automation::WrittenDeck> handOffToDesktop(automation::EngineServer& server, Platform& platform) noexcept
{
    std::vector<automation::WrittenDeck> written;
    try {
        if (!server.shown())
            return written;
        written = server.writeOpenDecks();
        QStringList notOpened;
        QStringList notWritten;
        for (const automation::WrittenDeck& deck : written) {
            const QString shown = QDir::toNativeSeparators(deck.path);
            if (!deck.error.isEmpty())
                notWritten << shown + QStringLiteral(": ") + deck.error;
            else if (!platform.desktop->openFile(deck.path))
                notOpened << shown;
        }
        QStringList paragraphs;
        if (!notWritten.isEmpty())
            paragraphs << HandOffText::tr("The presentation could not be written:\r\n") + notWritten.join(QStringLiteral("\r\n"));
        if (!notOpened.isEmpty())
            paragraphs << HandOffText::tr("The presentation was written to:\r\n") + notOpened.join(QStringLiteral("\r\n"))
                              + HandOffText::tr("\r\n\r\nNo program on this computer opened it. Open it with a "
                                               "presentation program to edit and present it.");
        if (!paragraphs.isEmpty())
            platform.messages->show(applicationTitle(), paragraphs.join(QStringLiteral("\r\n\r\n")), MessageIcon::None,
                                    MessageButtons::Ok);
    } catch (...) {
        // Nothing is left to tell the user with; the files that were written stay.
    }
    return written;
}

} // namespace quillora
