#include "DeckTestSupport.h"

#include "deck/Xml.h"
#include "deck/ZipArchive.h"

namespace quillora::deck::testing {
namespace {

const QString kNamespaces = QStringLiteral(
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"");
const QString kRelationshipTypes = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

} // namespace

QString templatePath()
{
    return QStringLiteral(QUILLORA_BIN_DIR "/marketing_plan.ppt");
}

QString textShape(int id, const QString& name, const QString& paragraphsXml)
{
    return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"%1\" name=\"%2\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                          "<p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/>%3</p:txBody></p:sp>")
        .arg(id)
        .arg(name, paragraphsXml);
}

QString pictureShape(int id, const QString& name)
{
    return QStringLiteral("<p:pic><p:nvPicPr><p:cNvPr id=\"%1\" name=\"%2\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
                          "<p:blipFill/><p:spPr/></p:pic>")
        .arg(id)
        .arg(name);
}

QByteArray makeDeck(const DeckRecipe& recipe)
{
    QList<QPair<QString, QByteArray>> parts;
    QString overrides;
    QString slideIds;
    QString relationships;
    for (int i = 0; i < recipe.slides.size(); ++i) {
        const QString part = QStringLiteral("ppt/slides/slide%1.xml").arg(i + 1);
        overrides += QStringLiteral("<Override PartName=\"/%1\" ContentType=\"application/"
                                    "vnd.openxmlformats-officedocument.presentationml.slide+xml\"/>")
                         .arg(part);
        relationships += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2slide\" Target=\"slides/slide%1.xml\"/>")
                             .arg(i + 1)
                             .arg(kRelationshipTypes);
        parts.append({part, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                           "<p:sld %1><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/>"
                                           "<p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>%2</p:spTree></p:cSld></p:sld>")
                                .arg(kNamespaces, recipe.slides[i])
                                .toUtf8()});
    }
    QList<int> order = recipe.order;
    if (order.isEmpty())
        for (int i = 0; i < recipe.slides.size(); ++i)
            order.append(i);
    for (int i = 0; i < order.size(); ++i)
        slideIds += QStringLiteral("<p:sldId id=\"%1\" r:id=\"rId%2\"/>").arg(256 + i).arg(order[i] + 1);

    QList<QPair<QString, QByteArray>> all;
    all.append({QStringLiteral("[Content_Types].xml"),
                QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                               "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                               "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                               "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                               "<Override PartName=\"/ppt/presentation.xml\" ContentType=\"application/"
                               "vnd.openxmlformats-officedocument.presentationml.presentation.main+xml\"/>%1</Types>")
                    .arg(overrides)
                    .toUtf8()});
    all.append({QStringLiteral("_rels/.rels"),
                QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                               "<Relationship Id=\"rId1\" Type=\"%1officeDocument\" Target=\"ppt/presentation.xml\"/>"
                               "</Relationships>")
                    .arg(kRelationshipTypes)
                    .toUtf8()});
    all.append({QStringLiteral("ppt/presentation.xml"),
                QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                               "<p:presentation %1><p:sldIdLst>%2</p:sldIdLst><p:sldSz cx=\"12192000\" cy=\"6858000\"/>"
                               "<p:notesSz cx=\"6858000\" cy=\"9144000\"/></p:presentation>")
                    .arg(kNamespaces, slideIds)
                    .toUtf8()});
    all.append({QStringLiteral("ppt/_rels/presentation.xml.rels"),
                QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                               "%1</Relationships>")
                    .arg(relationships)
                    .toUtf8()});
    all.append(parts);
    for (const QString& extra : recipe.extraParts) {
        const qsizetype equals = extra.indexOf(QLatin1Char('='));
        all.append({extra.left(equals), extra.mid(equals + 1).toUtf8()});
    }
    return zipOf(all);
}

std::unique_ptr<Presentation> openDeck(const DeckRecipe& recipe)
{
    return Presentation::fromBytes(makeDeck(recipe), QStringLiteral("test.pptx"));
}

QByteArray zipOf(const QList<QPair<QString, QByteArray>>& entries)
{
    std::vector<detail::ZipEntry> zipEntries;
    for (const auto& [name, bytes] : entries)
        zipEntries.push_back({name, bytes});
    return detail::writeZip(zipEntries);
}

QByteArray partOf(const QByteArray& package, const QString& name)
{
    for (const detail::ZipEntry& entry : detail::readZip(package, QStringLiteral("package")))
        if (entry.name == name)
            return entry.data;
    return {};
}

QStringList partNames(const QByteArray& package)
{
    QStringList names;
    for (const detail::ZipEntry& entry : detail::readZip(package, QStringLiteral("package")))
        names.append(entry.name);
    return names;
}

std::unique_ptr<pugi::xml_document> savedSlide(Presentation& presentation, int slidePart)
{
    const QString name = QStringLiteral("ppt/slides/slide%1.xml").arg(slidePart);
    return detail::parseXml(partOf(presentation.toBytes(), name), name, QStringLiteral("saved deck"));
}

void writeLines(TextRange whole, const QStringList& lines)
{
    whole.setText(QString());
    int position = 1;
    for (const QString& line : lines) {
        qsizetype first = 0;
        while (first < line.size() && line[first] == QLatin1Char(' '))
            ++first;
        const bool dashLine = first < line.size() && line[first] == QLatin1Char('-');
        const int lineLength = static_cast<int>(line.size());
        if (dashLine) {
            whole.characters(position, -1).setBulletVisible(false);
            whole.characters(position, -1).setText(QLatin1Char('\t') + line + QLatin1String("\r\n"));
            whole.characters(position, lineLength).setFontSize(22.0);
        } else {
            whole.characters(position, -1).setBulletVisible(true);
            whole.characters(position, -1).setBulletKind(BulletKind::Character);
            whole.characters(position, -1).setText(line + QLatin1String("\r\n"));
            whole.characters(position, lineLength).setFontSize(24.0);
        }
        position = static_cast<int>(whole.text().size());
    }
}

std::vector<pugi::xml_node> paragraphsOf(const pugi::xml_document& slide, const QString& shapeName)
{
    std::vector<pugi::xml_node> result;
    const pugi::xml_node tree = detail::descendant(slide.document_element(), {"cSld", "spTree"});
    for (pugi::xml_node shape : tree.children()) {
        if (QString::fromUtf8(detail::descendant(shape, {"nvSpPr", "cNvPr"}).attribute("name").value()) != shapeName)
            continue;
        for (pugi::xml_node p : detail::child(shape, "txBody").children())
            if (detail::localName(p) == "p")
                result.push_back(p);
        break;
    }
    return result;
}

} // namespace quillora::deck::testing
