#pragma once
// Small helpers over pugixml for Office Open XML parts: parsing with a clear
// error that names the part, writing back without reformatting, looking
// elements up by local name (prefixes vary between producers) and inserting
// children where the schema's sequence wants them.

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <initializer_list>
#include <span>
#include <memory>
#include <string_view>

namespace quillora::deck::detail {

// Throws DeckError naming the part when the XML is not well formed.
std::unique_ptr<pugi::xml_document> parseXml(const QByteArray& bytes, const QString& partName,
                                             const QString& displayName);
QByteArray serializeXml(const pugi::xml_document& document);
std::string serializeNode(pugi::xml_node node);

std::string_view localName(pugi::xml_node node);
std::string_view prefixOf(pugi::xml_node node); // "a" for "a:p", "" without one
// The element's prefix with a colon, ready to put before a local name.
std::string qualifiedPrefix(pugi::xml_node node);

pugi::xml_node child(pugi::xml_node parent, std::string_view local);
pugi::xml_node descendant(pugi::xml_node parent, std::initializer_list<std::string_view> path);

// Adds an element named prefix+local to parent, before the first child that
// the schema's sequence (order, by local name) puts after it.
pugi::xml_node insertInOrder(pugi::xml_node parent, std::string_view local,
                             std::span<const std::string_view> order);

QString textOf(const char* utf8);

} // namespace quillora::deck::detail
