#include "deck/Xml.h"

#include "deck/Deck.h"

#include <QStringDecoder>

#include <algorithm>
#include <sstream>

namespace quillora::deck::detail {
namespace {

// Whitespace-only text can be content (a:t holding a space), so it is kept;
// line breaks and tabs in attribute values (alt texts) are kept as they are
// instead of being turned into spaces, and pugixml escapes them on output.
constexpr unsigned kParseFlags =
    (pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata) & ~pugi::parse_wconv_attribute;

struct ByteWriter : pugi::xml_writer {
    QByteArray bytes;
    void write(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

} // namespace

std::unique_ptr<pugi::xml_document> parseXml(const QByteArray& bytes, const QString& partName,
                                             const QString& displayName)
{
    auto document = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result result =
        document->load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()), kParseFlags, pugi::encoding_auto);
    if (!result || !document->document_element())
        throw DeckError(QStringLiteral("%1 is damaged: the part %2 is not well-formed XML (%3 at byte %4).")
                            .arg(displayName, partName, QString::fromUtf8(result.description()))
                            .arg(result.offset));
    return document;
}

QByteArray serializeXml(const pugi::xml_document& document)
{
    ByteWriter writer;
    document.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(writer.bytes);
}

std::string serializeNode(pugi::xml_node node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

std::string_view localName(pugi::xml_node node)
{
    std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view prefixOf(pugi::xml_node node)
{
    std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? std::string_view{} : name.substr(0, colon);
}

std::string qualifiedPrefix(pugi::xml_node node)
{
    const std::string_view prefix = prefixOf(node);
    return prefix.empty() ? std::string{} : std::string(prefix) + ':';
}

pugi::xml_node child(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_element && localName(node) == local)
            return node;
    return {};
}

pugi::xml_node descendant(pugi::xml_node parent, std::initializer_list<std::string_view> path)
{
    pugi::xml_node node = parent;
    for (std::string_view step : path) {
        node = child(node, step);
        if (!node)
            return {};
    }
    return node;
}

pugi::xml_node insertInOrder(pugi::xml_node parent, std::string_view local,
                             std::span<const std::string_view> order)
{
    const auto rank = [&](std::string_view name) -> std::ptrdiff_t {
        const auto found = std::find(order.begin(), order.end(), name);
        return found == order.end() ? -1 : found - order.begin();
    };
    const std::ptrdiff_t mine = rank(local);
    const std::string name = qualifiedPrefix(parent) + std::string(local);
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && rank(localName(node)) > mine)
            return parent.insert_child_before(name.c_str(), node);
    }
    return parent.append_child(name.c_str());
}

QString textOf(const char* utf8)
{
    // QString::fromUtf8 drops a leading U+FEFF as a byte order mark; inside
    // XML it is text (a zero-width no-break space) and must be kept.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(utf8));
}

} // namespace quillora::deck::detail
