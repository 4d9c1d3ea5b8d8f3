#include "layout/StyleProperties.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillora::layout {
namespace {

using deck::XmlElement;

// Values outside what the file format allows are clamped to it, so that a
// damaged deck still lays out in reasonable time.
constexpr double kLargestCoordinate = 2147483647.0; // EMU
constexpr int kMaxTabStops = 32;

std::optional<double> number(XmlElement element, std::string_view name)
{
    const std::optional<QString> value = element.attribute(name);
    if (!value)
        return std::nullopt;
    bool ok = false;
    const double parsed = value->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return std::nullopt;
    return parsed;
}

// EMU to points, within the format's coordinate range.
std::optional<double> length(XmlElement element, std::string_view name)
{
    const std::optional<double> emu = number(element, name);
    if (!emu)
        return std::nullopt;
    return std::clamp(*emu, -kLargestCoordinate, kLargestCoordinate) / kEmuPerPoint;
}

// A percentage: thousandths of a percent ("90000") or with a sign ("90%");
// 1.0 is 100 %.
std::optional<double> share(XmlElement element, std::string_view name)
{
    const std::optional<QString> value = element.attribute(name);
    if (!value)
        return std::nullopt;
    QString text = value->trimmed();
    const bool percentSign = text.endsWith(QLatin1Char('%'));
    if (percentSign)
        text.chop(1);
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return std::nullopt;
    return percentSign ? parsed / 100.0 : parsed / 100000.0;
}

std::optional<bool> flag(XmlElement element, std::string_view name)
{
    const std::optional<QString> value = element.attribute(name);
    if (!value)
        return std::nullopt;
    return *value == QLatin1String("1") || *value == QLatin1String("true") || *value == QLatin1String("on");
}

// a:lnSpc, a:spcBef, a:spcAft: a:spcPct or a:spcPts inside.
void readSpacing(XmlElement holder, Spacing& spacing, double largestShare)
{
    if (!holder)
        return;
    if (const XmlElement percent = holder.child("spcPct")) {
        if (const std::optional<double> value = share(percent, "val"))
            spacing = {Spacing::Unit::Share, std::clamp(*value, 0.0, largestShare)};
    } else if (const XmlElement points = holder.child("spcPts")) {
        if (const std::optional<double> value = number(points, "val"))
            spacing = {Spacing::Unit::Points, std::clamp(*value / 100.0, 0.0, 1584.0)};
    }
}

void readBullet(XmlElement pPr, Bullet& bullet)
{
    for (XmlElement child = pPr.firstChild(); child; child = child.nextSibling()) {
        const std::string_view name = child.localName();
        if (name == "buNone" || name == "buBlip") {
            // A picture bullet is drawn as nothing here: its size is unknown.
            bullet.kind = Bullet::Kind::None;
        } else if (name == "buChar") {
            bullet.kind = Bullet::Kind::Character;
            bullet.character = child.attribute("char").value_or(QString()).left(4);
        } else if (name == "buAutoNum") {
            bullet.kind = Bullet::Kind::AutoNumber;
            bullet.character = child.attribute("type").value_or(QStringLiteral("arabicPeriod"));
            bullet.startAt = static_cast<int>(std::clamp(number(child, "startAt").value_or(1.0), 1.0, 32767.0));
        } else if (name == "buFontTx") {
            bullet.typeface.reset();
        } else if (name == "buFont") {
            bullet.typeface = child.attribute("typeface").value_or(QString());
        } else if (name == "buSzTx") {
            bullet.sizeUnit = Bullet::SizeUnit::FollowText;
        } else if (name == "buSzPct") {
            if (const std::optional<double> value = share(child, "val")) {
                bullet.sizeUnit = Bullet::SizeUnit::Share;
                bullet.size = std::clamp(*value, 0.25, 4.0);
            }
        } else if (name == "buSzPts") {
            if (const std::optional<double> value = number(child, "val")) {
                bullet.sizeUnit = Bullet::SizeUnit::Points;
                bullet.size = std::clamp(*value / 100.0, 1.0, 4000.0);
            }
        }
    }
}

void readTabs(XmlElement tabList, std::vector<double>& stops)
{
    if (!tabList)
        return;
    stops.clear();
    for (XmlElement tab = tabList.firstChild(); tab && stops.size() < kMaxTabStops; tab = tab.nextSibling()) {
        if (tab.localName() == "tab") {
            if (const std::optional<double> position = length(tab, "pos"); position && *position >= 0)
                stops.push_back(*position);
        }
    }
    std::sort(stops.begin(), stops.end());
}

Alignment alignmentOf(const QString& value, Alignment current)
{
    if (value == QLatin1String("l"))
        return Alignment::Left;
    if (value == QLatin1String("ctr"))
        return Alignment::Center;
    if (value == QLatin1String("r"))
        return Alignment::Right;
    if (value == QLatin1String("just") || value == QLatin1String("justLow") || value == QLatin1String("dist")
        || value == QLatin1String("thaiDist"))
        return Alignment::Justified;
    return current;
}

} // namespace

void applyRunProperties(XmlElement rPr, RunStyle& style)
{
    if (!rPr)
        return;
    if (const std::optional<double> size = number(rPr, "sz"))
        style.size = std::clamp(*size / 100.0, 1.0, 4000.0);
    if (const std::optional<bool> bold = flag(rPr, "b"))
        style.bold = *bold;
    if (const std::optional<bool> italic = flag(rPr, "i"))
        style.italic = *italic;
    if (const std::optional<QString> caps = rPr.attribute("cap"))
        style.allCaps = *caps == QLatin1String("all");
    if (const std::optional<double> spacing = number(rPr, "spc"))
        style.letterSpacing = std::clamp(*spacing / 100.0, -4000.0, 4000.0);
    if (const XmlElement fill = rPr.child("solidFill"))
        style.fill = fill;
    if (const XmlElement latin = rPr.child("latin")) {
        if (const std::optional<QString> typeface = latin.attribute("typeface"); typeface && !typeface->isEmpty())
            style.typeface = *typeface;
    }
}

void applyParagraphProperties(XmlElement pPr, ParagraphStyle& style)
{
    if (!pPr)
        return;
    if (const std::optional<double> margin = length(pPr, "marL"))
        style.marginLeft = std::max(0.0, *margin);
    if (const std::optional<double> indent = length(pPr, "indent"))
        style.indent = *indent;
    if (const std::optional<QString> alignment = pPr.attribute("algn"))
        style.alignment = alignmentOf(*alignment, style.alignment);
    if (const std::optional<double> tab = length(pPr, "defTabSz"); tab && *tab > 0)
        style.defaultTab = *tab;
    readSpacing(pPr.child("lnSpc"), style.lineSpacing, 132.0);
    readSpacing(pPr.child("spcBef"), style.spaceBefore, 132.0);
    readSpacing(pPr.child("spcAft"), style.spaceAfter, 132.0);
    readBullet(pPr, style.bullet);
    readTabs(pPr.child("tabLst"), style.tabStops);
    applyRunProperties(pPr.child("defRPr"), style.run);
}

void applyListStyle(XmlElement listStyle, int level, ParagraphStyle& style)
{
    if (!listStyle)
        return;
    applyParagraphProperties(listStyle.child("defPPr"), style);
    const std::string levelName = "lvl" + std::to_string(std::clamp(level, 0, 8) + 1) + "pPr";
    applyParagraphProperties(listStyle.child(levelName), style);
}

void applyBodyProperties(XmlElement bodyPr, TextFrame& frame)
{
    if (!bodyPr)
        return;
    QMarginsF& insets = frame.insets;
    if (const std::optional<double> left = length(bodyPr, "lIns"))
        insets.setLeft(std::max(0.0, *left));
    if (const std::optional<double> top = length(bodyPr, "tIns"))
        insets.setTop(std::max(0.0, *top));
    if (const std::optional<double> right = length(bodyPr, "rIns"))
        insets.setRight(std::max(0.0, *right));
    if (const std::optional<double> bottom = length(bodyPr, "bIns"))
        insets.setBottom(std::max(0.0, *bottom));
    if (const std::optional<QString> wrap = bodyPr.attribute("wrap"))
        frame.wrap = *wrap != QLatin1String("none");
    if (const std::optional<QString> anchor = bodyPr.attribute("anchor")) {
        if (*anchor == QLatin1String("t"))
            frame.anchor = Anchor::Top;
        else if (*anchor == QLatin1String("ctr"))
            frame.anchor = Anchor::Middle;
        else if (*anchor == QLatin1String("b"))
            frame.anchor = Anchor::Bottom;
    }
    for (XmlElement child = bodyPr.firstChild(); child; child = child.nextSibling()) {
        const std::string_view name = child.localName();
        if (name == "noAutofit") {
            frame.autofit = Autofit::None;
            frame.storedScale = {};
        } else if (name == "spAutoFit") {
            frame.autofit = Autofit::ResizeShape;
            frame.storedScale = {};
        } else if (name == "normAutofit") {
            frame.autofit = Autofit::ShrinkText;
            const double fontScale = std::clamp(share(child, "fontScale").value_or(1.0), 0.01, 1.0);
            const double reduction = std::clamp(share(child, "lnSpcReduction").value_or(0.0), 0.0, 1.0);
            frame.storedScale = {static_cast<int>(std::lround(fontScale * 100000)),
                                 static_cast<int>(std::lround(reduction * 100000))};
        }
    }
}

bool readTransform(XmlElement xfrm, QRectF& box)
{
    const XmlElement offset = xfrm.child("off");
    const XmlElement extent = xfrm.child("ext");
    if (!offset || !extent)
        return false;
    box = QRectF(length(offset, "x").value_or(0), length(offset, "y").value_or(0),
                 std::max(0.0, length(extent, "cx").value_or(0)), std::max(0.0, length(extent, "cy").value_or(0)));
    return true;
}

ThemeFonts themeFonts(XmlElement theme)
{
    const XmlElement scheme = theme.child("themeElements").child("fontScheme");
    const auto latinOf = [&](std::string_view which) {
        return scheme.child(which).child("latin").attribute("typeface").value_or(QString());
    };
    return {latinOf("majorFont"), latinOf("minorFont")};
}

QString resolveThemeFont(const QString& typeface, const ThemeFonts& fonts)
{
    if (typeface.startsWith(QLatin1String("+mj-")))
        return fonts.major;
    if (typeface.startsWith(QLatin1String("+mn-")))
        return fonts.minor;
    return typeface;
}

} // namespace quillora::layout
