#include "render/SlideRenderer.h"

#include "layout/Colors.h"
#include "layout/Fonts.h"
#include "layout/ShapeText.h"
#include "layout/StyleProperties.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace quillora::render {
namespace {

using deck::XmlElement;
using layout::kEmuPerPoint;

// What stands where the preview cannot draw an object: a quiet grey the
// slide's own colours are unlikely to be, its name in a dark one.
const QColor kStandInFill(0xD9, 0xD9, 0xD9);
const QColor kStandInText(0x59, 0x59, 0x59);
// DrawingML's line width where a shape names none: 0.75 pt.
constexpr double kDefaultLineWidth = 9525 / kEmuPerPoint;
// Template layers kept (one per layout and width shown recently).
constexpr size_t kLayersKept = 8;

constexpr std::string_view kFillElements[] = {"noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill"};

// The picture formats read, by the part's extension: each named to Qt, so
// that nothing but that format's reader looks at the bytes.
constexpr std::pair<const char*, const char*> kPictureFormats[] = {
    {"png", "PNG"}, {"jpg", "JPEG"}, {"jpeg", "JPEG"}, {"jpe", "JPEG"}, {"gif", "GIF"}, {"bmp", "BMP"}};

double attributeNumber(XmlElement element, std::string_view name, double otherwise = 0)
{
    bool ok = false;
    const double value = element.attribute(name).value_or(QString()).toDouble(&ok);
    return ok && std::isfinite(value) ? value : otherwise;
}

bool attributeFlag(XmlElement element, std::string_view name)
{
    const QString value = element.attribute(name).value_or(QString());
    return value == QLatin1String("1") || value == QLatin1String("true");
}

XmlElement fillIn(XmlElement holder)
{
    for (XmlElement child = holder.firstChild(); child; child = child.nextSibling()) {
        if (std::find(std::begin(kFillElements), std::end(kFillElements), child.localName()) != std::end(kFillElements))
            return child;
    }
    return {};
}

// The n-th (from 1) child element.
XmlElement nthChild(XmlElement parent, int n)
{
    XmlElement child = parent.firstChild();
    for (int i = 1; child && i < n; ++i)
        child = child.nextSibling();
    return n >= 1 ? child : XmlElement();
}

// mc:AlternateContent's first branch, as the engine counts shapes.
XmlElement effective(XmlElement node)
{
    if (node.localName() != "AlternateContent")
        return node;
    for (XmlElement branch = node.firstChild(); branch; branch = branch.nextSibling()) {
        if (XmlElement inner = branch.firstChild())
            return inner;
    }
    return {};
}

XmlElement nonVisual(XmlElement shape)
{
    for (XmlElement child = shape.firstChild(); child; child = child.nextSibling()) {
        if (child.localName().starts_with("nv"))
            return child;
    }
    return {};
}

QString nameOf(XmlElement shape)
{
    return nonVisual(shape).child("cNvPr").attribute("name").value_or(QString());
}

bool isPlaceholder(XmlElement shape)
{
    return bool(nonVisual(shape).child("nvPr").child("ph"));
}

struct Placement {
    QRectF box;
    double rotation = 0; // degrees, clockwise
    bool flipH = false;
    bool flipV = false;
};

Placement placementOf(XmlElement xfrm)
{
    Placement placement;
    layout::readTransform(xfrm, placement.box);
    placement.rotation = attributeNumber(xfrm, "rot") / 60000.0;
    placement.flipH = attributeFlag(xfrm, "flipH");
    placement.flipV = attributeFlag(xfrm, "flipV");
    return placement;
}

void applyPlacement(QPainter& painter, const Placement& placement)
{
    if (placement.rotation == 0 && !placement.flipH && !placement.flipV)
        return;
    const QPointF centre = placement.box.center();
    painter.translate(centre);
    painter.rotate(placement.rotation);
    painter.scale(placement.flipH ? -1 : 1, placement.flipV ? -1 : 1);
    painter.translate(-centre);
}

// The gradient's line across the box at DrawingML's angle (clockwise from
// left to right), reaching its corners.
QBrush gradientBrush(XmlElement gradient, const QRectF& box, const layout::ColorScheme& colors, const QColor& placeholder)
{
    QGradientStops stops;
    for (XmlElement stop = gradient.child("gsLst").firstChild(); stop; stop = stop.nextSibling())
        stops.append({std::clamp(attributeNumber(stop, "pos") / 100000.0, 0.0, 1.0), colors.resolve(stop, placeholder)});
    std::stable_sort(stops.begin(), stops.end(), [](auto& a, auto& b) { return a.first < b.first; });
    if (stops.isEmpty())
        return Qt::NoBrush;
    if (const XmlElement path = gradient.child("path")) {
        QRadialGradient radial(box.center(), std::hypot(box.width(), box.height()) / 2);
        // A path gradient runs from its centre (the first stop) outwards.
        for (auto& stop : stops)
            stop.first = 1.0 - stop.first;
        std::reverse(stops.begin(), stops.end());
        radial.setStops(stops);
        return radial;
    }
    const double angle = attributeNumber(gradient.child("lin"), "ang") / 60000.0 * M_PI / 180.0;
    const QPointF direction(std::cos(angle), std::sin(angle));
    const double half = (std::abs(box.width() * direction.x()) + std::abs(box.height() * direction.y())) / 2;
    QLinearGradient linear(box.center() - direction * half, box.center() + direction * half);
    linear.setStops(stops);
    return linear;
}

class Painter {
public:
    Painter(QPainter& painter, deck::Slide& slide, const layout::ColorScheme& colors, QHash<QString, QImage>& pictures,
            double slideHeight)
        : m_painter(painter), m_slide(slide), m_colors(colors), m_pictures(pictures), m_slideHeight(slideHeight),
          m_formats(slide.themeElement().child("themeElements").child("fmtScheme"))
    {
    }

    void background(XmlElement bg, const QRectF& slide);
    // The shapes of a tree; placeholders only when they are the slide's own.
    void tree(XmlElement tree, bool placeholders, const std::vector<XmlElement>& textShapes,
              const std::vector<layout::LaidOutText>& texts);
    void text(const layout::LaidOutText& text);

private:
    void shape(XmlElement shape, const QPainterPath& outline, const Placement& placement);
    void picture(XmlElement pic);
    void group(XmlElement group, bool placeholders);
    void standIn(const QRectF& box, const QString& name);
    // Paints a fill element over the outline; false when it cannot.
    bool fill(XmlElement fill, const QPainterPath& outline, const QColor& placeholder = {});
    // The picture an a:blip embeds, decoded once; null when it cannot be read.
    QImage blipImage(XmlElement blip);
    // The theme's n-th style in a list (fillStyleLst, bgFillStyleLst, lnStyleLst).
    XmlElement themeStyle(std::string_view list, int n) const { return nthChild(m_formats.child(list), n); }

    QPainter& m_painter;
    deck::Slide& m_slide;
    const layout::ColorScheme& m_colors;
    QHash<QString, QImage>& m_pictures;
    double m_slideHeight;
    XmlElement m_formats;
};

QImage Painter::blipImage(XmlElement blip)
{
    const std::optional<QString> id = blip.attribute("r:embed");
    if (!id)
        return {};
    QString part;
    const QByteArray bytes = m_slide.relatedBytes(blip, *id, &part);
    if (part.isEmpty())
        return {};
    const auto found = m_pictures.constFind(part);
    if (found != m_pictures.constEnd())
        return *found;
    QImage image;
    const QString extension = QFileInfo(part).suffix().toLower();
    for (const auto& [suffix, format] : kPictureFormats) {
        if (extension == QLatin1String(suffix)) {
            image.loadFromData(bytes, format);
            break;
        }
    }
    m_pictures.insert(part, image);
    return image;
}

bool Painter::fill(XmlElement fill, const QPainterPath& outline, const QColor& placeholder)
{
    const std::string_view kind = fill.localName();
    const QRectF box = outline.boundingRect();
    if (kind == "solidFill") {
        m_painter.fillPath(outline, m_colors.resolve(fill, placeholder));
    } else if (kind == "gradFill") {
        m_painter.fillPath(outline, gradientBrush(fill, box, m_colors, placeholder));
    } else if (kind == "pattFill") {
        m_painter.fillPath(outline, m_colors.resolve(fill.child("fgClr"), placeholder));
    } else if (kind == "blipFill") {
        const QImage image = blipImage(fill.child("blip"));
        if (image.isNull())
            return false;
        // a:srcRect crops the picture by shares of its size.
        const XmlElement crop = fill.child("srcRect");
        const auto share = [&](std::string_view side) { return attributeNumber(crop, side) / 100000.0; };
        const QRectF source(image.width() * share("l"), image.height() * share("t"),
                            image.width() * (1 - share("l") - share("r")), image.height() * (1 - share("t") - share("b")));
        m_painter.save();
        m_painter.setClipPath(outline, Qt::IntersectClip);
        if (fill.child("tile"))
            m_painter.fillRect(box, QBrush(image));
        else
            m_painter.drawImage(box, image, source);
        m_painter.restore();
    }
    return true;
}

void Painter::background(XmlElement bg, const QRectF& slide)
{
    QPainterPath outline;
    outline.addRect(slide);
    m_painter.fillPath(outline, Qt::white);
    if (const XmlElement properties = bg.child("bgPr")) {
        fill(fillIn(properties), outline);
    } else if (const XmlElement reference = bg.child("bgRef")) {
        // Indexes from 1001 name the theme's background fills, from 1 its fills.
        const int index = static_cast<int>(attributeNumber(reference, "idx"));
        const XmlElement style = index > 1000 ? themeStyle("bgFillStyleLst", index - 1000) : themeStyle("fillStyleLst", index);
        fill(style, outline, m_colors.resolve(reference));
    }
}

void Painter::standIn(const QRectF& box, const QString& name)
{
    m_painter.fillRect(box, kStandInFill);
    m_painter.setPen(QPen(kStandInText, 0));
    m_painter.drawRect(box);
    QFont font(layout::layoutFamily(QStringLiteral("Arial")));
    font.setPixelSize(std::max(1, static_cast<int>(std::min(18.0, box.height() / 3) * layout::kPixelsPerPoint)));
    m_painter.save();
    m_painter.translate(box.topLeft());
    m_painter.scale(1 / layout::kPixelsPerPoint, 1 / layout::kPixelsPerPoint);
    m_painter.setFont(font);
    m_painter.drawText(QRectF(QPointF(0, 0), box.size() * layout::kPixelsPerPoint),
                       Qt::AlignCenter | Qt::TextWordWrap, name);
    m_painter.restore();
}

void Painter::shape(XmlElement shape, const QPainterPath& outline, const Placement& placement)
{
    const XmlElement properties = shape.child("spPr");
    const XmlElement style = shape.child("style");
    m_painter.save();
    applyPlacement(m_painter, placement);
    if (XmlElement own = fillIn(properties)) {
        if (!fill(own, outline))
            standIn(placement.box, nameOf(shape));
    } else if (const XmlElement reference = style.child("fillRef")) {
        fill(themeStyle("fillStyleLst", static_cast<int>(attributeNumber(reference, "idx"))), outline,
             m_colors.resolve(reference));
    }
    // The line: the shape's own, else the theme's line style it refers to.
    XmlElement line = properties.child("ln");
    QColor placeholder;
    if (!fillIn(line)) {
        if (const XmlElement reference = style.child("lnRef")) {
            line = themeStyle("lnStyleLst", static_cast<int>(attributeNumber(reference, "idx")));
            placeholder = m_colors.resolve(reference);
        }
    }
    if (const XmlElement solid = line.child("solidFill")) {
        const double width = attributeNumber(line, "w", -1);
        m_painter.setPen(QPen(m_colors.resolve(solid, placeholder), width < 0 ? kDefaultLineWidth : width / kEmuPerPoint));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(outline);
    }
    m_painter.restore();
}

void Painter::picture(XmlElement pic)
{
    const Placement placement = placementOf(pic.child("spPr").child("xfrm"));
    const XmlElement media = nonVisual(pic).child("nvPr");
    const bool moving = media.child("videoFile") || media.child("audioFile") || media.child("quickTimeFile");
    QPainterPath outline;
    outline.addRect(placement.box);
    m_painter.save();
    applyPlacement(m_painter, placement);
    if (moving || !fill(pic.child("blipFill"), outline))
        standIn(placement.box, nameOf(pic));
    m_painter.restore();
}

void Painter::group(XmlElement group, bool placeholders)
{
    const XmlElement xfrm = group.child("grpSpPr").child("xfrm");
    const Placement placement = placementOf(xfrm);
    QRectF children = placement.box;
    if (const XmlElement offset = xfrm.child("chOff"), extent = xfrm.child("chExt"); offset && extent) {
        children = QRectF(attributeNumber(offset, "x") / kEmuPerPoint, attributeNumber(offset, "y") / kEmuPerPoint,
                          attributeNumber(extent, "cx") / kEmuPerPoint, attributeNumber(extent, "cy") / kEmuPerPoint);
    }
    m_painter.save();
    applyPlacement(m_painter, placement);
    if (children.width() > 0 && children.height() > 0) {
        m_painter.translate(placement.box.topLeft());
        m_painter.scale(placement.box.width() / children.width(), placement.box.height() / children.height());
        m_painter.translate(-children.topLeft());
    }
    tree(group, placeholders, {}, {});
    m_painter.restore();
}

void Painter::tree(XmlElement tree, bool placeholders, const std::vector<XmlElement>& textShapes,
                   const std::vector<layout::LaidOutText>& texts)
{
    for (XmlElement node = tree.firstChild(); node; node = node.nextSibling()) {
        const XmlElement element = effective(node);
        const std::string_view kind = element.localName();
        if (!placeholders && isPlaceholder(element))
            continue;
        if (kind == "sp" || kind == "cxnSp") {
            const Placement placement = placementOf(element.child("spPr").child("xfrm"));
            const QString geometry = element.child("spPr").child("prstGeom").attribute("prst").value_or(QString());
            QPainterPath outline;
            const QRectF& box = placement.box;
            if (geometry == QLatin1String("ellipse")) {
                outline.addEllipse(box);
            } else if (geometry == QLatin1String("roundRect")) {
                const XmlElement adjust = element.child("spPr").child("prstGeom").child("avLst").child("gd");
                double share = 16667;
                if (const std::optional<QString> formula = adjust.attribute("fmla"); formula && formula->startsWith(QLatin1String("val ")))
                    share = formula->mid(4).toDouble();
                const double radius = std::clamp(share / 100000.0, 0.0, 0.5) * std::min(box.width(), box.height());
                outline.addRoundedRect(box, radius, radius);
            } else if (kind == "cxnSp" || geometry == QLatin1String("line") || geometry.startsWith(QLatin1String("straightConnector"))) {
                outline.moveTo(box.topLeft());
                outline.lineTo(box.bottomRight());
            } else {
                outline.addRect(box); // rectangles, and any other geometry as its box
            }
            const auto text = std::find(textShapes.begin(), textShapes.end(), element);
            if (text != textShapes.end()) {
                const layout::LaidOutText& lines = texts[static_cast<size_t>(text - textShapes.begin())];
                this->shape(element, outline, placement);
                m_painter.save();
                applyPlacement(m_painter, placement);
                this->text(lines);
                m_painter.restore();
            } else {
                this->shape(element, outline, placement);
            }
        } else if (kind == "pic") {
            picture(element);
        } else if (kind == "grpSp") {
            group(element, placeholders);
        } else if (kind == "graphicFrame") {
            // Charts, diagrams, tables and embedded objects: not drawn.
            standIn(placementOf(element.child("xfrm")).box, nameOf(element));
        }
    }
}

void Painter::text(const layout::LaidOutText& text)
{
    const QColor textColour = m_colors.scheme(QStringLiteral("tx1"));
    m_painter.save();
    // Drawn in the layout's own pixels, with its fonts at its pixel sizes.
    m_painter.scale(1 / layout::kPixelsPerPoint, 1 / layout::kPixelsPerPoint);
    const auto draw = [&](const layout::LineSegment& segment, double baseline) {
        m_painter.setFont(layout::layoutFont(segment.style, segment.size));
        m_painter.setPen(segment.style.color.isValid() ? segment.style.color : textColour);
        m_painter.drawText(QPointF(segment.x, baseline) * layout::kPixelsPerPoint, segment.text);
    };
    for (const layout::LaidOutLine& line : text.lines) {
        // Lines run out of an unrotated shape downwards only: the rest of an
        // overlong text lies below the slide.
        if (line.top > m_slideHeight && !m_painter.worldTransform().isRotating() && m_painter.worldTransform().m22() > 0)
            break;
        if (line.bullet)
            draw(*line.bullet, line.baseline);
        for (const layout::LineSegment& segment : line.segments)
            draw(segment, line.baseline);
    }
    m_painter.restore();
}

// The nearest background: the slide's, its layout's, its master's.
XmlElement backgroundOf(deck::Slide& slide)
{
    for (XmlElement part : {slide.element(), slide.layoutElement(), slide.masterElement()}) {
        if (const XmlElement bg = part.child("cSld").child("bg"))
            return bg;
    }
    return {};
}

} // namespace

struct SlideRenderer::Cache {
    layout::TextLayouter layouter;
    QHash<QString, QImage> pictures; // by part name
    struct Layer {
        XmlElement background;
        XmlElement layout;
        bool masterShown = true;
        bool layoutShown = true;
        int width = 0;
        QImage image;
    };
    std::vector<Layer> layers; // most recent last
};

SlideRenderer::SlideRenderer(deck::Presentation& deck) : m_deck(deck), m_cache(std::make_unique<Cache>()) {}
SlideRenderer::~SlideRenderer() = default;

QSizeF SlideRenderer::slideSize() const
{
    const XmlElement size = m_deck.element().child("sldSz");
    return {attributeNumber(size, "cx", 9144000) / kEmuPerPoint, attributeNumber(size, "cy", 6858000) / kEmuPerPoint};
}

std::vector<DrawnText> SlideRenderer::texts(int number, const std::vector<TextInPlace>& typed)
{
    deck::Slide& slide = m_deck.slide(number);
    std::vector<DrawnText> drawn;
    for (int n = 1; n <= slide.shapeCount(); ++n) {
        deck::Shape& shape = slide.shape(n);
        if (!shape.hasTextFrame())
            continue;
        const auto replaced = std::find_if(typed.begin(), typed.end(), [&](auto& t) { return t.shape == shape.name() && t.text; });
        const layout::ShapeText read = replaced == typed.end() ? layout::readShapeText(shape) : layout::ShapeText();
        const layout::ShapeText& text = replaced == typed.end() ? read : *replaced->text;
        // Text the deck stores keeps its stored scale; changed text fits anew.
        const bool fitAgain = replaced != typed.end() || shape.textChanged();
        const layout::Scale scale = fitAgain ? m_cache->layouter.fit(text).scale : text.frame.storedScale;
        drawn.push_back({shape.name(), n, m_cache->layouter.layOut(text, scale)});
    }
    return drawn;
}

QImage SlideRenderer::render(int number, int width, const std::vector<TextInPlace>& typed)
{
    deck::Slide& slide = m_deck.slide(number);
    const std::vector<DrawnText> drawn = texts(number, typed);
    std::vector<XmlElement> textShapes;
    std::vector<layout::LaidOutText> laidOut;
    for (const DrawnText& text : drawn) {
        textShapes.push_back(slide.shape(text.number).element());
        laidOut.push_back(text.lines);
    }

    const QSizeF size = slideSize();
    const double pixelsPerPoint = width / size.width();
    const QSize pixels(width, std::max(1, static_cast<int>(std::lround(size.height() * pixelsPerPoint))));
    const layout::ColorScheme colors(slide);
    const XmlElement background = backgroundOf(slide);
    const XmlElement layoutRoot = slide.layoutElement();
    const auto shows = [](XmlElement part) { return part.attribute("showMasterSp").value_or(QString()) != QLatin1String("0"); };
    const bool layoutShown = shows(slide.element());
    const bool masterShown = layoutShown && shows(layoutRoot);

    // The background and the master's and layout's shapes, drawn once per
    // layout, background and width.
    auto& layers = m_cache->layers;
    auto layer = std::find_if(layers.begin(), layers.end(), [&](const Cache::Layer& l) {
        return l.background == background && l.layout == layoutRoot && l.width == width
               && l.masterShown == masterShown && l.layoutShown == layoutShown;
    });
    if (layer == layers.end()) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        painter.scale(pixelsPerPoint, pixelsPerPoint);
        Painter templatePainter(painter, slide, colors, m_cache->pictures, size.height());
        templatePainter.background(background, QRectF(QPointF(0, 0), size));
        if (masterShown)
            templatePainter.tree(slide.masterElement().child("cSld").child("spTree"), false, {}, {});
        if (layoutShown)
            templatePainter.tree(layoutRoot.child("cSld").child("spTree"), false, {}, {});
        painter.end();
        if (layers.size() >= kLayersKept)
            layers.erase(layers.begin());
        layers.push_back({background, layoutRoot, masterShown, layoutShown, width, image});
        layer = layers.end() - 1;
    }

    QImage image = layer->image;
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    Painter slidePainter(painter, slide, colors, m_cache->pictures, size.height());
    slidePainter.tree(slide.element().child("cSld").child("spTree"), true, textShapes, laidOut);
    return image;
}

} // namespace quillora::render
