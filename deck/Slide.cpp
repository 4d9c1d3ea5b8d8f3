#include "deck/DeckData.h"
#include "deck/Xml.h"
#include "deck/XmlElementAccess.h"

#include <array>

namespace quillora::deck {
namespace {

// The elements of p:spTree that PowerPoint counts as shapes, in z-order.
constexpr std::array<std::string_view, 7> kShapeElements{
    "sp", "grpSp", "graphicFrame", "cxnSp", "pic", "contentPart", "AlternateContent"};

bool isShape(pugi::xml_node node)
{
    return node.type() == pugi::node_element
           && std::find(kShapeElements.begin(), kShapeElements.end(), detail::localName(node)) != kShapeElements.end();
}

// mc:AlternateContent wraps the real shape in a Choice (or Fallback).
pugi::xml_node effectiveShape(pugi::xml_node node)
{
    if (detail::localName(node) != "AlternateContent")
        return node;
    for (pugi::xml_node branch : node.children())
        for (pugi::xml_node inner : branch.children())
            if (inner.type() == pugi::node_element)
                return inner;
    return node;
}

// p:nvSpPr/p:cNvPr, p:nvPicPr/p:cNvPr, ...: the first nv*Pr child holds it.
QString shapeName(pugi::xml_node shape)
{
    for (pugi::xml_node node : shape.children())
        if (node.type() == pugi::node_element && detail::localName(node).substr(0, 2) == "nv")
            return QString::fromUtf8(detail::child(node, "cNvPr").attribute("name").value());
    return {};
}

} // namespace

void detail::SlideData::readShapes(Slide& self)
{
    const pugi::xml_node tree = descendant(document->document_element(), {"cSld", "spTree"});
    for (pugi::xml_node node : tree.children()) {
        if (!isShape(node))
            continue;
        const pugi::xml_node shape = effectiveShape(node);
        std::unique_ptr<Shape> item(new Shape);
        item->d->slide = &self;
        item->d->number = static_cast<int>(shapes.size()) + 1;
        item->d->name = shapeName(shape);
        item->d->element = shape;
        if (localName(shape) == "sp")
            item->d->txBody = child(shape, "txBody");
        shapes.push_back(std::move(item));
    }
}

Slide::Slide() : d(std::make_unique<detail::SlideData>()) {}
Slide::~Slide() = default;

int Slide::number() const
{
    return d->number;
}

int Slide::shapeCount() const
{
    return static_cast<int>(d->shapes.size());
}

Shape& Slide::shape(int number)
{
    return detail::itemAt(d->shapes, number);
}

Shape& Slide::shape(const QString& name)
{
    for (const std::unique_ptr<Shape>& shape : d->shapes)
        if (shape->name() == name)
            return *shape;
    throw DeckError(QStringLiteral("Slide %1 has no shape named %2.").arg(number()).arg(name), DeckError::Kind::NoSuchName);
}

Presentation& Slide::presentation()
{
    return *d->presentation;
}

namespace {

// The part reached from `source` by its first relationship of that type.
QString relatedPart(detail::PresentationData& data, const QString& source, const char* type)
{
    return source.isEmpty() ? QString() : data.package->relatedPart(source, QString::fromLatin1(type));
}

} // namespace

XmlElement Slide::element()
{
    return XmlElementAccess::wrap(d->document->document_element());
}

XmlElement Slide::layoutElement()
{
    return XmlElementAccess::wrap(detail::PresentationData::of(*d->presentation).readOnlyPart(d->layoutPart));
}

XmlElement Slide::masterElement()
{
    detail::PresentationData& data = detail::PresentationData::of(*d->presentation);
    return XmlElementAccess::wrap(data.readOnlyPart(relatedPart(data, d->layoutPart, detail::kSlideMasterRelationship)));
}

XmlElement Slide::themeElement()
{
    detail::PresentationData& data = detail::PresentationData::of(*d->presentation);
    const QString master = relatedPart(data, d->layoutPart, detail::kSlideMasterRelationship);
    return XmlElementAccess::wrap(data.readOnlyPart(relatedPart(data, master, detail::kThemeRelationship)));
}

QByteArray Slide::relatedBytes(XmlElement element, const QString& relationshipId, QString* partName)
{
    detail::PresentationData& data = detail::PresentationData::of(*d->presentation);
    const pugi::xml_node document = XmlElementAccess::node(element).root();
    const QString master = relatedPart(data, d->layoutPart, detail::kSlideMasterRelationship);
    QString source;
    if (document && document == d->document->root())
        source = d->partName;
    else if (document && document == data.readOnlyPart(d->layoutPart).root())
        source = d->layoutPart;
    else if (document && document == data.readOnlyPart(master).root())
        source = master;
    if (source.isEmpty())
        return {};
    for (const detail::Relationship& relationship : data.package->relationships(source)) {
        if (relationship.id != relationshipId)
            continue;
        detail::Part* part = relationship.external ? nullptr : data.package->find(relationship.target);
        if (!part)
            return {};
        if (partName)
            *partName = part->name;
        return data.package->bytesOf(part->name);
    }
    return {};
}

} // namespace quillora::deck
