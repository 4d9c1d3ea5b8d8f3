#include "layout/ShapeText.h"

#include "layout/Colors.h"
#include "layout/StyleProperties.h"

#include <array>
#include <optional>

namespace quillora::layout {
namespace {

using deck::XmlElement;

constexpr QChar kLineBreak(0x2028);

struct PlaceholderId {
    QString type;
    QString index;
};

std::optional<PlaceholderId> placeholderOf(XmlElement shape)
{
    for (XmlElement child = shape.firstChild(); child; child = child.nextSibling()) {
        if (!child.localName().starts_with("nv"))
            continue;
        const XmlElement placeholder = child.child("nvPr").child("ph");
        if (!placeholder)
            return std::nullopt;
        return PlaceholderId{placeholder.attribute("type").value_or(QStringLiteral("obj")),
                             placeholder.attribute("idx").value_or(QStringLiteral("0"))};
    }
    return std::nullopt;
}

// The master placeholder a placeholder of this type takes after: the title
// for both kinds of title, the date, footer, slide number and header for
// themselves, the body for every kind of content.
QString masterType(const QString& type)
{
    if (type == QLatin1String("title") || type == QLatin1String("ctrTitle"))
        return QStringLiteral("title");
    for (const char* own : {"dt", "ftr", "sldNum", "hdr"}) {
        if (type == QLatin1String(own))
            return type;
    }
    return QStringLiteral("body");
}

template <class Matches>
XmlElement findPlaceholder(XmlElement root, Matches matches)
{
    const XmlElement tree = root.child("cSld").child("spTree");
    for (XmlElement shape = tree.firstChild(); shape; shape = shape.nextSibling()) {
        if (shape.localName() != "sp")
            continue;
        if (const std::optional<PlaceholderId> id = placeholderOf(shape); id && matches(*id))
            return shape;
    }
    return {};
}

// A slide's placeholder inherits from the layout's with its index and kind,
// else its kind, else its index.
XmlElement layoutCounterpart(XmlElement layout, const PlaceholderId& id)
{
    const QString kind = masterType(id.type);
    if (XmlElement both = findPlaceholder(layout, [&](const PlaceholderId& other) {
            return other.index == id.index && masterType(other.type) == kind;
        }))
        return both;
    if (XmlElement sameKind = findPlaceholder(layout, [&](const PlaceholderId& other) { return other.type == id.type; }))
        return sameKind;
    if (id.index == QLatin1String("0"))
        return {};
    return findPlaceholder(layout, [&](const PlaceholderId& other) { return other.index == id.index; });
}

XmlElement masterCounterpart(XmlElement master, const PlaceholderId& id)
{
    const QString kind = masterType(id.type);
    return findPlaceholder(master, [&](const PlaceholderId& other) { return masterType(other.type) == kind; });
}

XmlElement masterTextStyle(XmlElement master, const std::optional<PlaceholderId>& id)
{
    const XmlElement styles = master.child("txStyles");
    if (!id)
        return styles.child("otherStyle");
    const QString kind = masterType(id->type);
    if (kind == QLatin1String("title"))
        return styles.child("titleStyle");
    if (kind == QLatin1String("body"))
        return styles.child("bodyStyle");
    return styles.child("otherStyle");
}

// The text of a run as the layout takes it: raw line ends and vertical tabs
// are line breaks.
QString runText(XmlElement holder)
{
    QString text = holder.child("t").text();
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\v'))
            c = kLineBreak;
    }
    return text;
}

class ShapeTextReader {
public:
    explicit ShapeTextReader(deck::Shape& shape);
    ShapeText read();

private:
    const ParagraphStyle& levelStyle(int level);
    Paragraph readParagraph(XmlElement p);
    // Theme fonts named, the colour resolved.
    void nameThemeFonts(RunStyle& style) const
    {
        style.typeface = resolveThemeFont(style.typeface, m_fonts);
        if (style.fill)
            style.color = m_colors.resolve(style.fill);
        style.fill = {};
    }

    XmlElement m_shape;
    XmlElement m_body;
    XmlElement m_layoutPlaceholder;
    XmlElement m_masterPlaceholder;
    ThemeFonts m_fonts;
    ColorScheme m_colors;
    std::vector<XmlElement> m_listStyles; // farthest first
    std::array<std::optional<ParagraphStyle>, 9> m_levels;
    TextFrame m_frame;
};

ShapeTextReader::ShapeTextReader(deck::Shape& shape)
{
    m_shape = shape.element();
    m_body = m_shape.child("txBody");
    if (!m_body)
        throw deck::DeckError(QStringLiteral("The shape %1 has no text frame.").arg(shape.name()));
    deck::Slide& slide = shape.slide();
    const XmlElement master = slide.masterElement();
    m_fonts = themeFonts(slide.themeElement());
    m_colors = ColorScheme(slide);
    const std::optional<PlaceholderId> id = placeholderOf(m_shape);
    if (id) {
        m_layoutPlaceholder = layoutCounterpart(slide.layoutElement(), *id);
        const std::optional<PlaceholderId> layoutId = placeholderOf(m_layoutPlaceholder);
        m_masterPlaceholder = masterCounterpart(master, layoutId.value_or(*id));
    }
    const XmlElement presentation = slide.presentation().element();
    m_listStyles = {presentation.child("defaultTextStyle"), masterTextStyle(master, id),
                    m_masterPlaceholder.child("txBody").child("lstStyle"),
                    m_layoutPlaceholder.child("txBody").child("lstStyle"), m_body.child("lstStyle")};

    // Without a word from the file: DrawingML's default insets.
    m_frame.insets = QMarginsF(91440 / kEmuPerPoint, 45720 / kEmuPerPoint, 91440 / kEmuPerPoint, 45720 / kEmuPerPoint);
    for (XmlElement source : {m_shape, m_layoutPlaceholder, m_masterPlaceholder}) {
        if (readTransform(source.child("spPr").child("xfrm"), m_frame.box))
            break;
    }
    for (XmlElement source : {m_masterPlaceholder, m_layoutPlaceholder, m_shape})
        applyBodyProperties(source.child("txBody").child("bodyPr"), m_frame);
    const XmlElement slideSize = presentation.child("sldSz");
    m_frame.slideSize = QSizeF(slideSize.attribute("cx").value_or(QString()).toDouble() / kEmuPerPoint,
                               slideSize.attribute("cy").value_or(QString()).toDouble() / kEmuPerPoint);
}

const ParagraphStyle& ShapeTextReader::levelStyle(int level)
{
    std::optional<ParagraphStyle>& style = m_levels[static_cast<size_t>(level)];
    if (!style) {
        style.emplace();
        for (XmlElement listStyle : m_listStyles)
            applyListStyle(listStyle, level, *style);
    }
    return *style;
}

Paragraph ShapeTextReader::readParagraph(XmlElement p)
{
    Paragraph paragraph;
    const XmlElement pPr = p.child("pPr");
    if (pPr) {
        bool ok = false;
        const int level = pPr.attribute("lvl").value_or(QString()).toInt(&ok);
        paragraph.level = ok ? std::clamp(level, 0, 8) : 0;
    }
    paragraph.style = levelStyle(paragraph.level);
    applyParagraphProperties(pPr, paragraph.style);
    nameThemeFonts(paragraph.style.run);
    if (paragraph.style.bullet.typeface)
        paragraph.style.bullet.typeface = resolveThemeFont(*paragraph.style.bullet.typeface, m_fonts);
    paragraph.endStyle = paragraph.style.run;

    for (XmlElement child = p.firstChild(); child; child = child.nextSibling()) {
        const std::string_view name = child.localName();
        if (name != "r" && name != "br" && name != "fld" && name != "endParaRPr")
            continue;
        RunStyle style = paragraph.style.run;
        applyRunProperties(name == "endParaRPr" ? child : child.child("rPr"), style);
        nameThemeFonts(style);
        if (name == "endParaRPr") {
            paragraph.endStyle = style;
            continue;
        }
        const QString text = name == "br" ? QString(kLineBreak) : runText(child);
        if (!paragraph.runs.empty() && paragraph.runs.back().style == style)
            paragraph.runs.back().text += text;
        else if (!text.isEmpty())
            paragraph.runs.push_back({text, style});
    }
    return paragraph;
}

ShapeText ShapeTextReader::read()
{
    ShapeText text;
    text.frame = m_frame;
    for (XmlElement child = m_body.firstChild(); child; child = child.nextSibling()) {
        if (child.localName() == "p")
            text.paragraphs.push_back(readParagraph(child));
    }
    return text;
}

} // namespace

ShapeText readShapeText(deck::Shape& shape)
{
    return ShapeTextReader(shape).read();
}

} // namespace quillora::layout
