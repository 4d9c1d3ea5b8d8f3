#include "cli/DeckRead.h"
#include "cli/CommandText.h"

#include "builder/DeckReader.h"
#include "builder/OfficeConversion.h"
#include "builder/TemplateCheck.h"
#include "cli/AtomicOutput.h"
#include "core/Quoted.h"
#include "core/RegularFile.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanKeys.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace quillora {
namespace {

QByteArray readDeckBytes(const QString& path)
{
    if (!QFileInfo::exists(path))
        throw RuntimeError(CommandText::tr("the deck %1 does not exist").arg(quoted(path)));
    QFile file(path);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(file)) {
        if (refusal->notRegular)
            throw RuntimeError(CommandText::tr("the deck %1 is %2, not a file")
                                   .arg(quoted(path), entryKindPhrase(*refusal->notRegular)));
        throw RuntimeError(CommandText::tr("cannot read the deck %1: %2").arg(quoted(path), refusal->reason));
    }
    return file.readAll();
}

std::unique_ptr<deck::Presentation> openDeck(const QByteArray& bytes, const QString& path)
{
    try {
        return deck::Presentation::fromBytes(bytes, path);
    } catch (const deck::DeckError& error) {
        throw RuntimeError(CommandText::tr("the deck %1 cannot be read: %2").arg(quoted(path), error.description()));
    }
}

// The plan file of what was read: both titles and every statement, empty or
// not, whose shape was found; nothing of a part that was not.
PlanDocument documentOfFound(const DeckReading& reading)
{
    PlanDocument document;
    document.hasProductName = !reading.missingKeys.contains(QLatin1String(kProductNameKey));
    document.hasPlanTitle = !reading.missingKeys.contains(QLatin1String(kMarketingPlanKey));
    if (document.hasProductName)
        document.productName = reading.plan.productName;
    if (document.hasPlanTitle)
        document.planTitle = reading.plan.planTitle;
    for (const Section& section : allSections()) {
        if (!reading.missingKeys.contains(section.key()))
            document.statements[section.key()] = reading.plan.statement(section);
    }
    return document;
}

} // namespace

QStringList readDeckToPlanFile(const DeckReadRequest& request, const DeckJobTools& tools, QTextStream& out)
{
    if (request.outputPath) {
        std::vector<ProtectedFile> protectedFiles = commandProtectedFiles(request.templatePath);
        protectedFiles.push_back({ProtectedRole::DeckRead, request.deckPath});
        checkOutput(*request.outputPath, protectedFiles, tools.mayWrite);
    }
    QByteArray bytes = readDeckBytes(request.deckPath);
    if (const std::optional<QString> suffix = officeOnlyFormat(bytes))
        bytes = convertedToPptx(bytes, *suffix, request.deckPath, {tools.processes, tools.libreOffice, {}});
    const std::unique_ptr<deck::Presentation> deck = openDeck(bytes, request.deckPath);
    // Without its template every shape's text is read as a statement.
    std::unique_ptr<deck::Presentation> templateDeck;
    if (QFileInfo(request.templatePath).isFile()) {
        try {
            templateDeck = deck::Presentation::open(request.templatePath);
        } catch (const deck::DeckError& error) {
            throw UnreadableTemplate(request.templatePath, error.description());
        }
    }
    DeckReading reading;
    try {
        reading = readPlanFromDeck(*deck, templateDeck.get());
    } catch (const deck::DeckError& error) {
        throw RuntimeError(CommandText::tr("the deck %1 cannot be read: %2").arg(quoted(request.deckPath), error.description()));
    }
    const QByteArray json = planFileJson(documentOfFound(reading));
    if (request.outputPath)
        publishBytes(json, *request.outputPath);
    else
        out << QString::fromUtf8(json);
    out.flush();
    return reading.leftOut;
}

} // namespace quillora
