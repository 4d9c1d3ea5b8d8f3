#include "DeckTestSupport.h"

#include "deck/Xml.h"
#include "deck/ZipArchive.h"

namespace quillora::deck::testing {
QString templatePath()
{
    return QStringLiteral(QUILLORA_BIN_DIR "/marketing_plan.ppt");
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
