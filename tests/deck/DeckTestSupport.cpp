#include "DeckTestSupport.h"

#include "deck/Xml.h"
#include "deck/ZipArchive.h"

namespace quillora::deck::testing {
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

} // namespace quillora::deck::testing
