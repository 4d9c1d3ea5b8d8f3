#pragma once
// A read-only look at one element of a deck's XML, for code that has to
// interpret what the engine itself only carries along: the geometry, body
// properties and text styles a shape inherits from its layout, master and
// theme. Elements are found by local name, whatever prefix the producer
// bound; nothing can be changed through them.
//
// An XmlElement points into a part the Presentation owns: it stays valid
// while the Presentation lives and its part is not written again (a shape's
// text edit rewrites that shape's text body).

#include <QString>

#include <optional>
#include <string_view>

namespace pugi {
struct xml_node_struct;
}

namespace quillora::deck {

class XmlElement {
public:
    XmlElement() = default;

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }

    std::string_view localName() const;
    // The first child element with that local name; null when there is none.
    XmlElement child(std::string_view local) const;
    // Child elements in document order, text and comments skipped.
    XmlElement firstChild() const;
    XmlElement nextSibling() const;
    // The attribute by its name as written (DrawingML's own attributes carry
    // no prefix); nothing when it is absent.
    std::optional<QString> attribute(std::string_view name) const;
    // The element's own text (a:t), as stored.
    QString text() const;

    friend bool operator==(XmlElement a, XmlElement b) { return a.m_node == b.m_node; }

private:
    explicit XmlElement(pugi::xml_node_struct* node) : m_node(node) {}
    pugi::xml_node_struct* m_node = nullptr;
    friend struct XmlElementAccess;
};

} // namespace quillora::deck
