#pragma once
// One shape's text in a live Impress, as the object model addresses it: one
// per shape, so positions taken from one range's text hold for every other
// range of the same shape. Writes go through the shape's one cursor
// (ShapeState); bullets through numbering rules built once per kind.

#include "automation/PresentationBackend.h"
#include "impress/ImpressOffice.h"
#include "impress/ShapeState.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XIndexReplace.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <map>
#include <vector>

namespace quillora::impress {

class ImpressText final : public automation::TextBackend {
public:
    // Makes the shape's cursor: a call to the office.
    explicit ImpressText(css::uno::Reference<css::text::XText> text);

    QString text() override;
    void replaceAll(const QString& text) override;
    void replace(int start, int count, const QString& text) override;
    void setBullet(int start, int count, automation::BulletChange change) override;
    void setFontSize(int start, int count, float points) override;

private:
    void write(const std::vector<OfficePiece>& pieces, int from);
    const css::uno::Reference<css::container::XIndexReplace>& rulesFor(BulletKind kind);
    void applyBullet(BulletKind kind);

    css::uno::Reference<css::text::XText> m_text;
    css::uno::Reference<css::text::XTextCursor> m_cursor;
    css::uno::Reference<css::beans::XMultiPropertySet> m_cursorProperties;
    std::map<BulletKind, css::uno::Reference<css::container::XIndexReplace>> m_rules;
    ShapeState m_state;
};

} // namespace quillora::impress
