#include "builder/DeckReader.h"

#include "builder/MarketingPlanGenerator.h"
#include "builder/SlideFillMap.h"
#include "core/Quoted.h"
#include "core/RegularFile.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"
#include "plan/PlanKeys.h"
#include "plan/SectionCatalogue.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace quillora {
namespace {

const QString kLineSeparator = QStringLiteral("\r\n");

// How the program that saved the deck wrote what the fill wrote.
struct Writer {
    // LibreOffice saves an empty paragraph as one space.
    bool spacedEmptyParagraphs = false;
};

// The engine's string of a shape's text ends each paragraph with "\r" and
// shows a line break as "\v".
QStringList paragraphsOf(deck::Shape& shape, Writer writer)
{
    QString text = shape.textRange().text();
    text.replace(QLatin1Char('\v'), QLatin1Char('\n'));
    QStringList paragraphs = text.split(QLatin1Char('\r'));
    if (writer.spacedEmptyParagraphs)
        std::replace(paragraphs.begin(), paragraphs.end(), QStringLiteral(" "), QString());
    return paragraphs;
}

// Whether each paragraph says it shows a bullet (true), says it shows none
// (false) or says nothing and takes what its layout gives (nullopt).
std::vector<std::optional<bool>> bulletsOf(deck::Shape& shape)
{
    std::vector<std::optional<bool>> bullets;
    const deck::XmlElement body = shape.element().child("txBody");
    for (deck::XmlElement p = body.firstChild(); p; p = p.nextSibling()) {
        if (p.localName() != "p")
            continue;
        std::optional<bool> bullet;
        const deck::XmlElement properties = p.child("pPr");
        if (properties.child("buNone"))
            bullet = false;
        else if (properties.child("buChar") || properties.child("buAutoNum") || properties.child("buBlip"))
            bullet = true;
        bullets.push_back(bullet);
    }
    return bullets;
}

QString statementOf(deck::Shape& shape, Writer writer)
{
    QStringList paragraphs = paragraphsOf(shape, writer);
    const std::vector<std::optional<bool>> bullets = bulletsOf(shape);
    // Every line the writer writes ends with a paragraph break.
    if (paragraphs.last().isEmpty())
        paragraphs.removeLast();
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        QString& line = paragraphs[i];
        const bool bulleted = size_t(i) < bullets.size() && bullets[size_t(i)].value_or(false);
        if (!bulleted && line.startsWith(QLatin1Char('\t')) && isSubPointLine(line.mid(1)))
            line.remove(0, 1);
    }
    return paragraphs.join(kLineSeparator);
}

// The closing line of the product line, as the generator writes it.
QString productLineEnd()
{
    return productLine(QString()).split(kLineSeparator).last();
}

QString productNameOf(deck::Shape& shape, Writer writer)
{
    QStringList paragraphs = paragraphsOf(shape, writer);
    if (paragraphs.size() > 1 && paragraphs.last() == productLineEnd())
        paragraphs.removeLast();
    return paragraphs.join(kLineSeparator);
}

std::optional<QString> placeholderType(deck::Shape& shape)
{
    const deck::XmlElement placeholder = shape.element().child("nvSpPr").child("nvPr").child("ph");
    if (!placeholder)
        return std::nullopt;
    return placeholder.attribute("type").value_or(QString());
}

// The text of the slide's title placeholder, spaces simplified; empty when
// it has none.
QString slideTitle(deck::Slide& slide)
{
    for (int n = 1; n <= slide.shapeCount(); ++n) {
        deck::Shape& shape = slide.shape(n);
        const std::optional<QString> type = placeholderType(shape);
        if (shape.hasTextFrame() && (type == QLatin1String("title") || type == QLatin1String("ctrTitle")))
            return shape.textRange().text().simplified();
    }
    return {};
}

bool isSectionCaption(const QString& title)
{
    for (const Section& section : allSections())
        if (section.captionText().simplified() == title)
            return true;
    return false;
}

// The slide of a section: the one slide titled with its caption, else the
// slide at the fill map's place unless that one is titled for another
// section.
deck::Slide* sectionSlide(deck::Presentation& deck, const FillRow& row, const QString& caption)
{
    deck::Slide* titled = nullptr;
    int titledCount = 0;
    for (int s = 1; s <= deck.slideCount(); ++s) {
        if (slideTitle(deck.slide(s)) == caption.simplified()) {
            titled = &deck.slide(s);
            ++titledCount;
        }
    }
    if (titledCount == 1)
        return titled;
    if (row.slide > deck.slideCount())
        return nullptr;
    deck::Slide& placed = deck.slide(row.slide);
    return titledCount == 0 && isSectionCaption(slideTitle(placed)) ? nullptr : &placed;
}

// The slide's one shape with text that `matches`: nothing when none does,
// null when more than one does.
template <class Matches>
std::optional<deck::Shape*> onlyTextShape(deck::Slide& slide, Matches matches)
{
    std::optional<deck::Shape*> found;
    for (int n = 1; n <= slide.shapeCount(); ++n) {
        deck::Shape& shape = slide.shape(n);
        if (!shape.hasTextFrame() || !matches(placeholderType(shape)))
            continue;
        found = found ? nullptr : &shape;
        if (!*found)
            break;
    }
    return found;
}

// An office that saves the deck again may rename its shapes (LibreOffice
// calls them "PlaceHolder 2"): then the slide's one body placeholder with
// text, which is what the template's statement shapes are. Through a .ppt,
// LibreOffice keeps neither name nor placeholder: then the slide's one text
// shape that is no placeholder at all.
deck::Shape* bodyShape(deck::Slide& slide)
{
    if (const std::optional<deck::Shape*> placeholder = onlyTextShape(slide, [](const std::optional<QString>& type) {
            return type && (type->isEmpty() || type == QLatin1String("body") || type == QLatin1String("obj"));
        }))
        return *placeholder;
    return onlyTextShape(slide, [](const std::optional<QString>& type) { return !type; }).value_or(nullptr);
}

deck::Shape* textShape(deck::Slide& slide, const FillRow& row)
{
    deck::Shape* shape = rowShape(slide, row);
    if (shape && shape->hasTextFrame())
        return shape;
    return row.source == FillSource::Statement ? bodyShape(slide) : nullptr;
}

QString shapeNotFound(const FillRow& row, int slide, const QString& what)
{
    const QString shape = row.shapeName ? DeckReaderText::tr("no shape named %1 with text").arg(quoted(QString::fromUtf8(row.shapeName)))
                                        : DeckReaderText::tr("no shape number %1 with text").arg(row.shapeNumber);
    return DeckReaderText::tr("slide %1, %2: %3").arg(slide).arg(what, shape);
}

// The template's own text in the row's shape, or nothing.
std::optional<QString> templateText(deck::Presentation* templateDeck, const FillRow& row)
{
    if (!templateDeck || row.slide > templateDeck->slideCount())
        return std::nullopt;
    deck::Shape* shape = textShape(templateDeck->slide(row.slide), row);
    return shape ? std::optional(shape->textRange().text()) : std::nullopt;
}

bool onlyPairedCarriageReturns(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\v') || (text[i] == QLatin1Char('\r') && text.mid(i + 1, 1) != QLatin1String("\n")))
            return false;
    }
    return true;
}

} // namespace

DeckReading readPlanFromDeck(deck::Presentation& deck, deck::Presentation* templateDeck, const Plan& over)
{
    DeckReading reading{over, {}, {}};
    const Writer writer{deck.savedBy().startsWith(QLatin1String("LibreOffice"))};
    for (const FillRow& row : slideFillMap()) {
        if (row.source == FillSource::Statement) {
            const Section& section = *row.section;
            deck::Slide* slide = sectionSlide(deck, row, section.captionText());
            deck::Shape* shape = slide ? textShape(*slide, row) : nullptr;
            if (!slide) {
                reading.leftOut << DeckReaderText::tr("%1: no slide has that title, and slide %2 is missing or "
                                                      "belongs to another section")
                                       .arg(quoted(section.captionText()))
                                       .arg(row.slide);
            } else if (!shape) {
                reading.leftOut << shapeNotFound(row, slide->number(), quoted(section.captionText()));
            } else {
                const QString text = shape->textRange().text();
                reading.plan.statement(section) = text == templateText(templateDeck, row) ? QString() : statementOf(*shape, writer);
                continue;
            }
            reading.missingKeys << section.key();
            continue;
        }
        const bool product = row.source == FillSource::ProductLine;
        deck::Shape* shape = row.slide <= deck.slideCount() ? textShape(deck.slide(row.slide), row) : nullptr;
        if (!shape) {
            reading.leftOut << shapeNotFound(row, row.slide,
                                             product ? DeckReaderText::tr("the product name")
                                                     : DeckReaderText::tr("the plan title"));
            reading.missingKeys << QLatin1String(product ? kProductNameKey : kMarketingPlanKey);
        } else if (product) {
            reading.plan.productName = productNameOf(*shape, writer);
        } else {
            reading.plan.planTitle = paragraphsOf(*shape, writer).join(kLineSeparator);
        }
    }
    return reading;
}

DeckReading readPlanFromDeckFile(const QString& deckPath, const QString& templatePath, const Plan& over,
                                 const OfficeConverter& office)
{
    QFile file(deckPath);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(file))
        throw RuntimeError(refusal->notRegular ? entryKindPhrase(*refusal->notRegular) : refusal->reason);
    QByteArray bytes = file.readAll();
    if (const std::optional<QString> suffix = officeOnlyFormat(bytes))
        bytes = convertedToPptx(bytes, *suffix, deckPath, office);
    try {
        const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(bytes, deckPath);
        const std::unique_ptr<deck::Presentation> templateDeck =
            QFileInfo(templatePath).isFile() ? deck::Presentation::open(templatePath) : nullptr;
        return readPlanFromDeck(*deck, templateDeck.get(), over);
    } catch (const deck::DeckError& error) {
        throw RuntimeError(error.description());
    }
}

bool fillKeepsPlan(const Plan& plan)
{
    if (productLine(plan.productName) != plan.productName + productLine(QString()))
        return false;
    if (!onlyPairedCarriageReturns(plan.productName) || !onlyPairedCarriageReturns(plan.planTitle))
        return false;
    return std::all_of(plan.statements.begin(), plan.statements.end(), onlyPairedCarriageReturns);
}

} // namespace quillora
