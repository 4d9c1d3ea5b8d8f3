#include "deck/OpcPackage.h"

#include "deck/Deck.h"
#include "deck/PackageRefusals.h"
#include "deck/Xml.h"
#include "deck/ZipArchive.h"

#include <QSet>
#include <QStringList>

#include <algorithm>

namespace quillora::deck::detail {
namespace {

constexpr char kContentTypesPart[] = "[Content_Types].xml";
const QByteArray kOleSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

QString relationshipsPartOf(const QString& sourcePart)
{
    const qsizetype slash = sourcePart.lastIndexOf(QLatin1Char('/'));
    const QString folder = sourcePart.left(slash + 1);
    return folder + QStringLiteral("_rels/") + sourcePart.mid(slash + 1) + QStringLiteral(".rels");
}

// The part whose relationships a part holds: "ppt/vbaProject.bin" for
// "ppt/_rels/vbaProject.bin.rels", "" for "_rels/.rels"; a null string when
// the part holds no relationships.
QString sourceOfRelationshipsPart(const QString& name)
{
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const QString folder = name.left(slash + 1);
    const QString file = name.mid(slash + 1);
    if (!folder.endsWith(QLatin1String("_rels/"), Qt::CaseInsensitive)
        || !file.endsWith(QLatin1String(".rels"), Qt::CaseInsensitive))
        return {};
    return QString(folder.chopped(6) + file.chopped(5)); // never null: "" for the package
}

QString extensionOf(const QString& partName)
{
    return partName.mid(partName.lastIndexOf(QLatin1Char('.')) + 1).toCaseFolded();
}

bool containsType(const QStringList& types, const QString& type)
{
    return types.contains(type, Qt::CaseInsensitive);
}

} // namespace

QString resolvePartName(const QString& sourcePart, const QString& target)
{
    QString path = target;
    if (!path.startsWith(QLatin1Char('/')))
        path = sourcePart.left(sourcePart.lastIndexOf(QLatin1Char('/')) + 1) + path;
    QStringList resolved;
    for (const QString& segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String(".."))
            resolved.isEmpty() ? void() : resolved.removeLast();
        else if (segment != QLatin1String("."))
            resolved.append(segment);
    }
    return resolved.join(QLatin1Char('/'));
}

namespace {

// "../x", "a/../../x", "/x" and the same with backslashes, which some zip
// tools write as separators.
bool climbsOutOfPackage(const QString& entryName)
{
    if (entryName.startsWith(QLatin1Char('/')) || entryName.startsWith(QLatin1Char('\\')))
        return true;
    QString segments = entryName;
    segments.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return segments.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

// The part an entry name stands for, as the most lenient reader takes it:
// part names are compared without regard to case, some zip tools write
// backslashes for slashes, and "a//b" or "a/./b" are "a/b" to a path.
QString partKeyOf(const QString& entryName)
{
    QString path = entryName.toCaseFolded();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    segments.removeAll(QStringLiteral("."));
    return segments.join(QLatin1Char('/'));
}

} // namespace

OpcPackage::OpcPackage(const QByteArray& bytes, const QString& displayName)
    : m_displayName(displayName), m_zip(bytes)
{
    if (bytes.startsWith(kOleSignature.left(4)))
        throw DeckError(QStringLiteral("%1 is a PowerPoint 97-2003 presentation; it must be saved as .pptx "
                                       "(PowerPoint Presentation) first.")
                            .arg(displayName));
    QSet<QString> partKeys;
    for (ZipEntry& entry : readZip(bytes, displayName)) {
        // A part name never leaves the package; an entry such as "../../x"
        // would be carried into every deck saved from this one, where a
        // careless unzip writes it outside its folder.
        if (climbsOutOfPackage(entry.name))
            throw DeckError(QStringLiteral("%1 is damaged: the entry %2 points outside the package.")
                                .arg(displayName, entry.name));
        // Two entries for one part: readers differ in which one they take
        // (libzip the first, others the last), so no reading is the deck.
        const QString key = partKeyOf(entry.name);
        if (partKeys.contains(key))
            throw DeckError(partStoredTwice(displayName, entry.name));
        partKeys.insert(key);
        m_parts.push_back({std::move(entry.name), std::move(entry.data), entry.sourceIndex});
    }
    reindex();
}

// An index, so a deck of thousands of slides is not searched part by part
// for each of its parts.
void OpcPackage::reindex()
{
    m_byFoldedName.clear();
    for (size_t i = 0; i < m_parts.size(); ++i)
        m_byFoldedName.insert(m_parts[i].name.toCaseFolded(), i);
}

Part* OpcPackage::find(const QString& name)
{
    const auto indexed = m_byFoldedName.find(name.toCaseFolded());
    if (indexed != m_byFoldedName.end() && m_parts[*indexed].name.compare(name, Qt::CaseInsensitive) == 0)
        return &m_parts[*indexed];
    for (Part& part : m_parts)
        if (part.name.compare(name, Qt::CaseInsensitive) == 0)
            return &part;
    return nullptr;
}

const QByteArray& OpcPackage::bytesOf(const QString& name)
{
    Part* part = find(name);
    if (!part)
        throw DeckError(QStringLiteral("%1 is damaged: the part %2 is missing.").arg(m_displayName, name));
    return part->bytes;
}

void OpcPackage::replace(const QString& name, const QByteArray& bytes)
{
    bytesOf(name);
    Part& part = *find(name);
    part.bytes = bytes;
    part.zipIndex = -1;
}

void OpcPackage::add(const QString& name, const QByteArray& bytes)
{
    if (find(name))
        throw DeckError(QStringLiteral("%1 already holds a part %2.").arg(m_displayName, name));
    m_parts.push_back({name, bytes, -1});
    m_byFoldedName.insert(name.toCaseFolded(), m_parts.size() - 1);
}

QString OpcPackage::contentType(const QString& partName)
{
    Part* types = find(QString::fromLatin1(kContentTypesPart));
    if (!types)
        return {};
    const auto document = parseXml(types->bytes, types->name, m_displayName);
    const pugi::xml_node root = document->document_element();
    for (pugi::xml_node node : root.children()) {
        if (localName(node) == "Override"
            && resolvePartName({}, textOf(node.attribute("PartName").value())).compare(partName, Qt::CaseInsensitive) == 0)
            return textOf(node.attribute("ContentType").value());
    }
    const QString extension = partName.mid(partName.lastIndexOf(QLatin1Char('.')) + 1);
    for (pugi::xml_node node : root.children()) {
        if (localName(node) == "Default"
            && textOf(node.attribute("Extension").value()).compare(extension, Qt::CaseInsensitive) == 0)
            return textOf(node.attribute("ContentType").value());
    }
    return {};
}

void OpcPackage::setContentType(const QString& partName, const QString& contentType)
{
    const QString typesName = QString::fromLatin1(kContentTypesPart);
    const auto document = parseXml(bytesOf(typesName), typesName, m_displayName);
    pugi::xml_node root = document->document_element();
    pugi::xml_node override;
    for (pugi::xml_node node : root.children()) {
        if (localName(node) == "Override"
            && resolvePartName({}, textOf(node.attribute("PartName").value())).compare(partName, Qt::CaseInsensitive) == 0) {
            override = node;
            break;
        }
    }
    if (!override) {
        override = root.append_child((qualifiedPrefix(root) + "Override").c_str());
        override.append_attribute("PartName").set_value(QString(QLatin1Char('/') + partName).toUtf8().constData());
    }
    pugi::xml_attribute type = override.attribute("ContentType");
    (type ? type : override.append_attribute("ContentType")).set_value(contentType.toUtf8().constData());
    replace(typesName, serializeXml(*document));
}

void OpcPackage::removeParts(const QStringList& contentTypes, const QStringList& relationshipTypes)
{
    Part* typesPart = find(QString::fromLatin1(kContentTypesPart));
    if (!typesPart)
        return;
    const QString typesName = typesPart->name;
    const auto types = parseXml(typesPart->bytes, typesName, m_displayName);
    // What each part is, read once: Overrides by part, Defaults by
    // extension (the first of each wins, as contentType() reads them).
    QHash<QString, QString> overrides;
    QHash<QString, QString> defaults;
    for (pugi::xml_node node : types->document_element().children()) {
        const QString type = textOf(node.attribute("ContentType").value());
        if (localName(node) == "Override") {
            const QString part = resolvePartName({}, textOf(node.attribute("PartName").value())).toCaseFolded();
            if (!overrides.contains(part))
                overrides.insert(part, type);
        } else if (localName(node) == "Default") {
            const QString extension = textOf(node.attribute("Extension").value()).toCaseFolded();
            if (!defaults.contains(extension))
                defaults.insert(extension, type);
        }
    }
    QSet<QString> dropped; // case-folded part names
    for (const Part& part : m_parts) {
        const QString folded = part.name.toCaseFolded();
        const auto override = overrides.constFind(folded);
        if (containsType(contentTypes, override != overrides.cend() ? *override : defaults.value(extensionOf(folded))))
            dropped.insert(folded);
    }
    // Only relationship parts naming one of the types can lead to more.
    bool typedRelationship = false; // one to drop, even if it leads nowhere
    for (const Part& part : m_parts) {
        const QString source = sourceOfRelationshipsPart(part.name);
        if (source.isNull()
            || std::none_of(relationshipTypes.begin(), relationshipTypes.end(),
                            [&](const QString& type) { return part.bytes.contains(type.toUtf8()); }))
            continue;
        for (const Relationship& relationship : relationships(source)) {
            if (!relationshipTypes.contains(relationship.type))
                continue;
            typedRelationship = true;
            if (!relationship.external)
                dropped.insert(relationship.target.toCaseFolded());
        }
    }
    dropped.remove(typesName.toCaseFolded()); // what says what the parts are stays
    if (dropped.isEmpty() && !typedRelationship)
        return;
    for (const QString& part : QSet<QString>(dropped))
        dropped.insert(relationshipsPartOf(part));

    for (Part& part : m_parts) {
        const QString source = sourceOfRelationshipsPart(part.name);
        if (source.isNull() || dropped.contains(part.name.toCaseFolded()))
            continue;
        const auto document = parseXml(part.bytes, part.name, m_displayName);
        std::vector<pugi::xml_node> gone;
        for (pugi::xml_node node : document->document_element().children()) {
            if (localName(node) != "Relationship")
                continue;
            const bool external = QLatin1String(node.attribute("TargetMode").value()) == QLatin1String("External");
            const QString target = resolvePartName(source, textOf(node.attribute("Target").value()));
            if (relationshipTypes.contains(textOf(node.attribute("Type").value()))
                || (!external && dropped.contains(target.toCaseFolded())))
                gone.push_back(node);
        }
        for (pugi::xml_node node : gone)
            node.parent().remove_child(node);
        if (!gone.empty()) {
            part.bytes = serializeXml(*document);
            part.zipIndex = -1;
        }
    }

    // A Default stays while a part that is left still goes by it.
    QSet<QString> droppedExtensions;
    QSet<QString> usedExtensions;
    for (const Part& part : m_parts) {
        const QString folded = part.name.toCaseFolded();
        if (dropped.contains(folded))
            droppedExtensions.insert(extensionOf(folded));
        else if (!overrides.contains(folded))
            usedExtensions.insert(extensionOf(folded));
    }
    std::vector<pugi::xml_node> gone;
    for (pugi::xml_node node : types->document_element().children()) {
        const QString extension = textOf(node.attribute("Extension").value()).toCaseFolded();
        if ((localName(node) == "Override"
             && dropped.contains(resolvePartName({}, textOf(node.attribute("PartName").value())).toCaseFolded()))
            || (localName(node) == "Default" && droppedExtensions.contains(extension)
                && !usedExtensions.contains(extension)))
            gone.push_back(node);
    }
    for (pugi::xml_node node : gone)
        node.parent().remove_child(node);
    replace(typesName, serializeXml(*types));

    std::erase_if(m_parts, [&](const Part& part) { return dropped.contains(part.name.toCaseFolded()); });
    reindex();
}

std::vector<Relationship> OpcPackage::relationships(const QString& sourcePart)
{
    std::vector<Relationship> result;
    const QString relsName = sourcePart.isEmpty() ? QStringLiteral("_rels/.rels") : relationshipsPartOf(sourcePart);
    Part* rels = find(relsName);
    if (!rels)
        return result;
    const auto document = parseXml(rels->bytes, rels->name, m_displayName);
    for (pugi::xml_node node : document->document_element().children()) {
        if (localName(node) != "Relationship")
            continue;
        Relationship relationship;
        relationship.id = textOf(node.attribute("Id").value());
        relationship.type = textOf(node.attribute("Type").value());
        relationship.external = QLatin1String(node.attribute("TargetMode").value()) == QLatin1String("External");
        const QString target = textOf(node.attribute("Target").value());
        relationship.target = relationship.external ? target : resolvePartName(sourcePart, target);
        result.push_back(std::move(relationship));
    }
    return result;
}

QString OpcPackage::relatedPart(const QString& sourcePart, const QString& type)
{
    for (const Relationship& relationship : relationships(sourcePart))
        if (!relationship.external && relationship.type == type)
            return relationship.target;
    return {};
}

void OpcPackage::copyRelationships(const QString& original, const QString& copy, const QStringList& leftOutTypes)
{
    const QString relsName = relationshipsPartOf(original);
    const auto document = parseXml(bytesOf(relsName), relsName, m_displayName);
    pugi::xml_node root = document->document_element();
    for (pugi::xml_node node = root.first_child(); node;) {
        const pugi::xml_node next = node.next_sibling();
        if (localName(node) == "Relationship" && leftOutTypes.contains(textOf(node.attribute("Type").value())))
            root.remove_child(node);
        node = next;
    }
    add(relationshipsPartOf(copy), serializeXml(*document));
}

QString OpcPackage::addRelationship(const QString& sourcePart, const QString& type, const QString& targetPart)
{
    const QString relsName = relationshipsPartOf(sourcePart);
    const auto document = parseXml(bytesOf(relsName), relsName, m_displayName);
    pugi::xml_node root = document->document_element();
    QSet<QString> taken;
    for (pugi::xml_node node : root.children())
        taken.insert(textOf(node.attribute("Id").value()));
    int number = static_cast<int>(taken.size()) + 1;
    while (taken.contains(QStringLiteral("rId%1").arg(number)))
        ++number;
    const QString id = QStringLiteral("rId%1").arg(number);
    // Relative to the source's folder where the target lies below it.
    const QString folder = sourcePart.left(sourcePart.lastIndexOf(QLatin1Char('/')) + 1);
    const QString target = targetPart.startsWith(folder) ? targetPart.mid(folder.size()) : QLatin1Char('/') + targetPart;
    pugi::xml_node relationship = root.append_child((qualifiedPrefix(root) + "Relationship").c_str());
    relationship.append_attribute("Id").set_value(id.toUtf8().constData());
    relationship.append_attribute("Type").set_value(type.toUtf8().constData());
    relationship.append_attribute("Target").set_value(target.toUtf8().constData());
    replace(relsName, serializeXml(*document));
    return id;
}

QByteArray OpcPackage::toZip() const
{
    std::vector<ZipEntry> entries;
    entries.reserve(m_parts.size());
    const auto isContentTypes = [](const Part& part) { return part.name == QLatin1String(kContentTypesPart); };
    for (const Part& part : m_parts)
        if (isContentTypes(part))
            entries.push_back({part.name, part.bytes, part.zipIndex});
    for (const Part& part : m_parts)
        if (!isContentTypes(part))
            entries.push_back({part.name, part.bytes, part.zipIndex});
    try {
        return writeZip(entries, m_zip);
    } catch (const DeckError&) {
        // Entries whose headers do not describe them were already marked
        // for packing afresh when read; should a copy fail all the same, the
        // parts themselves read fine, so pack them all from their bytes.
        for (ZipEntry& entry : entries)
            entry.sourceIndex = -1;
        return writeZip(entries);
    }
}

} // namespace quillora::deck::detail
