#pragma once
// Between the engine's pugixml nodes and the read-only XmlElement it hands
// out; inside the engine only.

#include "deck/XmlElement.h"

#include <pugixml.hpp>

namespace quillora::deck {

struct XmlElementAccess {
    static XmlElement wrap(pugi::xml_node node); // null unless an element
    static pugi::xml_node node(XmlElement element);
};

} // namespace quillora::deck
