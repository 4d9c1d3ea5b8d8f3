#include "deck/DeckData.h"
#include "deck/Xml.h"
#include "deck/XmlElementAccess.h"

#include <array>

namespace quillora::deck {
namespace {

// Child sequence of a:bodyPr (CT_TextBodyProperties).
constexpr std::array<std::string_view, 8> kBodyPropertiesOrder{
    "prstTxWarp", "noAutofit", "normAutofit", "spAutoFit", "scene3d", "sp3d", "flatTx", "extLst"};

// The text body's a:bodyPr, made (as its first child) when a damaged body
// lacks one.
pugi::xml_node bodyPropertiesOf(pugi::xml_node txBody)
{
    if (pugi::xml_node bodyPr = detail::child(txBody, "bodyPr"))
        return bodyPr;
    std::string prefix = "a:";
    for (pugi::xml_node node = txBody.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element) {
            prefix = detail::qualifiedPrefix(node);
            break;
        }
    }
    return txBody.prepend_child((prefix + "bodyPr").c_str());
}

void setOrRemove(pugi::xml_node element, const char* name, int value, int omitted)
{
    if (value == omitted) {
        element.remove_attribute(name);
        return;
    }
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    attribute = value;
}

} // namespace

detail::TextBody& detail::ShapeData::body()
{
    if (!text)
        text = std::make_unique<TextBody>(txBody);
    return *text;
}

void detail::ShapeData::flushText()
{
    if (text && text->dirty()) {
        text->writeBack();
        slide->d->partEdited = true;
    }
}

Shape::Shape() : d(std::make_unique<detail::ShapeData>()) {}
Shape::~Shape() = default;

QString Shape::name() const
{
    return d->name;
}

int Shape::number() const
{
    return d->number;
}

bool Shape::hasTextFrame() const
{
    return bool(d->txBody);
}

TextRange Shape::textRange()
{
    if (!hasTextFrame())
        throw DeckError(QStringLiteral("The shape %1 has no text frame.").arg(d->name));
    d->body();
    return TextRange(*this, 1, 0, true);
}

TextRange Shape::textRange(int start, int length)
{
    if (start < 1 || start > textRange().length() + 1 || length < 0)
        detail::throwOutOfRange();
    return TextRange(*this, start, length, false);
}

Slide& Shape::slide()
{
    return *d->slide;
}

XmlElement Shape::element()
{
    d->flushText();
    return XmlElementAccess::wrap(d->element);
}

bool Shape::textChanged() const
{
    return d->text && d->text->changed();
}

void Shape::setTextFitScale(int fontScale, int lineSpacingReduction)
{
    if (!hasTextFrame())
        throw DeckError(QStringLiteral("The shape %1 has no text frame.").arg(d->name));
    if (fontScale < 1000 || fontScale > 100000 || lineSpacingReduction < 0 || lineSpacingReduction > 100000)
        detail::throwOutOfRange();
    pugi::xml_node bodyPr = bodyPropertiesOf(d->txBody);
    pugi::xml_node autofit;
    for (pugi::xml_node node = bodyPr.first_child(); node;) {
        const pugi::xml_node next = node.next_sibling();
        const std::string_view local = detail::localName(node);
        if (node.type() == pugi::node_element && local == "normAutofit" && !autofit)
            autofit = node;
        else if (node.type() == pugi::node_element && (local == "noAutofit" || local == "spAutoFit" || local == "normAutofit"))
            bodyPr.remove_child(node);
        node = next;
    }
    if (!autofit)
        autofit = detail::insertInOrder(bodyPr, "normAutofit", kBodyPropertiesOrder);
    setOrRemove(autofit, "fontScale", fontScale, 100000);
    setOrRemove(autofit, "lnSpcReduction", lineSpacingReduction, 0);
    d->slide->d->partEdited = true;
}

} // namespace quillora::deck
