#include "tests/layout/PlainScaleDeck.h"

#include "deck/Deck.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "tests/support/DeckBuilder.h"

#include <pugixml.hpp>

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace quillora::testing {
namespace {

std::string_view localName(pugi::xml_node node)
{
    std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node childNamed(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node node : parent.children())
        if (localName(node) == local)
            return node;
    return {};
}

pugi::xml_node shapeNamed(pugi::xml_document& slide, const QString& name)
{
    for (const pugi::xpath_node& found : slide.select_nodes("//*[local-name()='cNvPr']")) {
        const pugi::xml_node node = found.node();
        if (QString::fromUtf8(node.attribute("name").value()) == name)
            return node.parent().parent();
    }
    return {};
}

// The a:pPr of a paragraph, made as its first child when it has none.
pugi::xml_node paragraphProperties(pugi::xml_node p)
{
    if (pugi::xml_node pPr = childNamed(p, "pPr"))
        return pPr;
    return p.prepend_child("a:pPr");
}

void setSize(pugi::xml_node rPr, double points)
{
    pugi::xml_attribute sz = rPr.attribute("sz");
    if (!sz)
        sz = rPr.append_attribute("sz");
    sz = static_cast<int>(std::lround(points * 100));
}

// The run style of the paragraph's text at `offset` (the last run past the end).
const layout::RunStyle& styleAt(const layout::Paragraph& paragraph, int offset)
{
    int start = 0;
    for (const layout::Run& run : paragraph.runs) {
        start += static_cast<int>(run.text.size());
        if (offset < start)
            return run.style;
    }
    return paragraph.runs.empty() ? paragraph.endStyle : paragraph.runs.back().style;
}

void writeLineSpacing(pugi::xml_node pPr, const layout::Spacing& spacing, const layout::Scale& scale)
{
    if (pugi::xml_node old = childNamed(pPr, "lnSpc"))
        pPr.remove_child(old);
    pugi::xml_node lnSpc = pPr.prepend_child("a:lnSpc");
    const double reduction = scale.lineSpacingReduction / 100000.0;
    if (spacing.unit == layout::Spacing::Unit::Points) {
        lnSpc.append_child("a:spcPts").append_attribute("val") =
            static_cast<int>(std::lround(spacing.value * (1 - reduction) * 100));
    } else {
        lnSpc.append_child("a:spcPct").append_attribute("val") =
            static_cast<int>(std::lround(std::max(0.0, spacing.value - reduction) * 100000));
    }
}

void rewriteShape(pugi::xml_node sp, const layout::ShapeText& text, const layout::Scale& scale)
{
    pugi::xml_node txBody = childNamed(sp, "txBody");
    pugi::xml_node bodyPr = childNamed(txBody, "bodyPr");
    for (const char* autofit : {"normAutofit", "spAutoFit", "noAutofit"})
        if (pugi::xml_node old = childNamed(bodyPr, autofit))
            bodyPr.remove_child(old);
    bodyPr.prepend_child("a:noAutofit");
    size_t index = 0;
    for (pugi::xml_node p : txBody.children()) {
        if (localName(p) != "p")
            continue;
        const layout::Paragraph& paragraph = text.paragraphs.at(index++);
        writeLineSpacing(paragraphProperties(p), paragraph.style.lineSpacing, scale);
        if (paragraph.runs.empty()) {
            pugi::xml_node run = p.insert_child_after("a:r", childNamed(p, "pPr"));
            setSize(run.append_child("a:rPr"), layout::scaledSize(paragraph.endStyle.size, scale));
            run.append_child("a:t").text().set(kEmptyParagraphMark);
        }
        int offset = 0;
        for (pugi::xml_node child : p.children()) {
            const std::string_view name = localName(child);
            if (name == "endParaRPr") {
                setSize(child, layout::scaledSize(paragraph.endStyle.size, scale));
                continue;
            }
            if (name != "r" && name != "br" && name != "fld")
                continue;
            pugi::xml_node rPr = childNamed(child, "rPr");
            if (!rPr)
                rPr = child.prepend_child("a:rPr");
            setSize(rPr, layout::scaledSize(styleAt(paragraph, offset).size, scale));
            offset += name == "br" ? 1 : static_cast<int>(QString::fromUtf8(childNamed(child, "t").child_value()).size());
        }
    }
}

} // namespace

QByteArray withPlainScale(const QByteArray& bytes, const std::vector<ShapeAtScale>& shapes)
{
    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(bytes);
    PackageParts parts = PackageParts::fromZip(bytes);
    for (const ShapeAtScale& target : shapes) {
        const layout::ShapeText text = layout::readShapeText(deck->slide(target.slide).shape(target.shape));
        const QString partName = QStringLiteral("ppt/slides/slide%1.xml").arg(target.slide);
        pugi::xml_document slide;
        const QByteArray xml = parts.part(partName);
        if (!slide.load_buffer(xml.constData(), static_cast<size_t>(xml.size()), pugi::parse_default | pugi::parse_ws_pcdata))
            throw std::runtime_error("slide part unreadable");
        const pugi::xml_node sp = shapeNamed(slide, target.shape);
        if (!sp)
            throw std::runtime_error("no such shape");
        rewriteShape(sp, text, target.scale);
        std::ostringstream out;
        slide.save(out, "", pugi::format_raw);
        parts.set(partName, QByteArray::fromStdString(out.str()));
    }
    return parts.zip();
}

} // namespace quillora::testing
