#include "deck/XmlElement.h"

#include "deck/XmlElementAccess.h"
#include "deck/Xml.h"

#include <pugixml.hpp>

namespace quillora::deck {
namespace {

pugi::xml_node nextElement(pugi::xml_node node)
{
    while (node && node.type() != pugi::node_element)
        node = node.next_sibling();
    return node;
}

} // namespace

XmlElement XmlElementAccess::wrap(pugi::xml_node node)
{
    return XmlElement(node.type() == pugi::node_element ? node.internal_object() : nullptr);
}

pugi::xml_node XmlElementAccess::node(XmlElement element)
{
    return pugi::xml_node(element.m_node);
}

std::string_view XmlElement::localName() const
{
    return detail::localName(XmlElementAccess::node(*this));
}

XmlElement XmlElement::child(std::string_view local) const
{
    return XmlElementAccess::wrap(detail::child(XmlElementAccess::node(*this), local));
}

XmlElement XmlElement::firstChild() const
{
    return XmlElementAccess::wrap(nextElement(XmlElementAccess::node(*this).first_child()));
}

XmlElement XmlElement::nextSibling() const
{
    return XmlElementAccess::wrap(nextElement(XmlElementAccess::node(*this).next_sibling()));
}

std::optional<QString> XmlElement::attribute(std::string_view name) const
{
    for (pugi::xml_attribute attribute : XmlElementAccess::node(*this).attributes()) {
        if (name == attribute.name())
            return QString::fromUtf8(attribute.value());
    }
    return std::nullopt;
}

QString XmlElement::text() const
{
    return detail::textOf(XmlElementAccess::node(*this).child_value());
}

} // namespace quillora::deck
