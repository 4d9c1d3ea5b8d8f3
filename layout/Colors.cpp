#include "layout/Colors.h"

#include <algorithm>
#include <cmath>

namespace quillora::layout {
namespace {

using deck::XmlElement;

constexpr std::string_view kColorElements[] = {"srgbClr", "schemeClr", "sysClr", "prstClr", "scrgbClr", "hslClr"};

double percentOf(XmlElement element)
{
    return element.attribute("val").value_or(QString()).toDouble() / 100000.0;
}

void readMap(XmlElement map, QHash<QString, QString>& into)
{
    for (const char* name : {"bg1", "tx1", "bg2", "tx2", "accent1", "accent2", "accent3", "accent4", "accent5",
                             "accent6", "hlink", "folHlink"}) {
        if (const std::optional<QString> target = map.attribute(name))
            into.insert(QLatin1String(name), *target);
    }
}

double clamped(double value)
{
    return std::clamp(value, 0.0, 1.0);
}

// The modifiers a colour element carries, in the order written.
QColor modified(QColor color, XmlElement element)
{
    for (XmlElement modifier = element.firstChild(); modifier; modifier = modifier.nextSibling()) {
        const std::string_view name = modifier.localName();
        const double value = percentOf(modifier);
        if (name == "alpha") {
            color.setAlphaF(clamped(value));
        } else if (name == "lumMod" || name == "lumOff" || name == "satMod") {
            float h, s, l, a;
            color.getHslF(&h, &s, &l, &a);
            if (name == "lumMod")
                l = static_cast<float>(clamped(l * value));
            else if (name == "lumOff")
                l = static_cast<float>(clamped(l + value));
            else
                s = static_cast<float>(clamped(s * value));
            color = QColor::fromHslF(h, s, l, a);
        } else if (name == "tint" || name == "shade") {
            const auto channel = [&](float c) {
                return static_cast<float>(name == "tint" ? clamped(1.0 - (1.0 - c) * value) : clamped(c * value));
            };
            color = QColor::fromRgbF(channel(color.redF()), channel(color.greenF()), channel(color.blueF()), color.alphaF());
        }
    }
    return color;
}

} // namespace

ColorScheme::ColorScheme(deck::Slide& slide)
{
    const XmlElement scheme = slide.themeElement().child("themeElements").child("clrScheme");
    for (XmlElement entry = scheme.firstChild(); entry; entry = entry.nextSibling())
        m_theme.insert(QString::fromUtf8(entry.localName().data(), qsizetype(entry.localName().size())), resolve(entry));
    readMap(slide.masterElement().child("clrMap"), m_map);
    readMap(slide.layoutElement().child("clrMapOvr").child("overrideClrMapping"), m_map);
}

QColor ColorScheme::scheme(const QString& name) const
{
    const QString mapped = m_map.value(name, name);
    return m_theme.value(mapped, QColor(Qt::black));
}

QColor ColorScheme::resolve(XmlElement holder, const QColor& placeholder) const
{
    for (XmlElement element = holder.firstChild(); element; element = element.nextSibling()) {
        const std::string_view name = element.localName();
        if (std::find(std::begin(kColorElements), std::end(kColorElements), name) == std::end(kColorElements))
            continue;
        const QString value = element.attribute("val").value_or(QString());
        QColor color;
        if (name == "srgbClr") {
            color = QColor::fromString(QLatin1Char('#') + value);
        } else if (name == "sysClr") {
            color = QColor::fromString(QLatin1Char('#') + element.attribute("lastClr").value_or(QStringLiteral("000000")));
        } else if (name == "schemeClr") {
            color = value == QLatin1String("phClr") ? placeholder : scheme(value);
        } else if (name == "prstClr") {
            color = QColor::fromString(value.toLower());
        } else if (name == "scrgbClr") {
            const auto part = [&](const char* channel) {
                return static_cast<float>(clamped(element.attribute(channel).value_or(QString()).toDouble() / 100000.0));
            };
            // Linear light to sRGB, closely enough for a preview.
            const auto gamma = [](float c) { return static_cast<float>(std::pow(c, 1.0 / 2.2)); };
            color = QColor::fromRgbF(gamma(part("r")), gamma(part("g")), gamma(part("b")));
        } else {
            const auto attribute = [&](const char* key, double unit) {
                return static_cast<float>(clamped(element.attribute(key).value_or(QString()).toDouble() / unit));
            };
            color = QColor::fromHslF(attribute("hue", 21600000.0), attribute("sat", 100000.0), attribute("lum", 100000.0));
        }
        if (!color.isValid())
            color = Qt::black;
        return modified(color, element);
    }
    return {};
}

} // namespace quillora::layout
