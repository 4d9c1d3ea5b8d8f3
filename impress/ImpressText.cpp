#include "impress/ImpressText.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>

namespace quillora::impress {
namespace {

using automation::BulletChange;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

inline constexpr char kBulletCharacter[] = "\u2022";

class UnoCursor final : public CursorMoves {
public:
    explicit UnoCursor(Reference<css::text::XTextCursor> cursor) : m_cursor(std::move(cursor)) {}
    void gotoStart(bool expand) override { m_cursor->gotoStart(expand); }
    void gotoEnd(bool expand) override { m_cursor->gotoEnd(expand); }
    void goLeft(qint16 count, bool expand) override { m_cursor->goLeft(count, expand); }
    void goRight(qint16 count, bool expand) override { m_cursor->goRight(count, expand); }
    void collapseToStart() override { m_cursor->collapseToStart(); }
    void collapseToEnd() override { m_cursor->collapseToEnd(); }

private:
    Reference<css::text::XTextCursor> m_cursor;
};

// Impress shows "shown" as a bullet character: it keeps no kind for a
// paragraph whose bullet is off.
BulletKind kindOf(BulletChange change)
{
    switch (change) {
    case BulletChange::Hidden:
        return BulletKind::None;
    case BulletChange::Shown:
    case BulletChange::Unnumbered:
        return BulletKind::Character;
    case BulletChange::Numbered:
        return BulletKind::Number;
    }
    return BulletKind::None;
}

} // namespace

ImpressText::ImpressText(Reference<css::text::XText> text)
    : m_text(std::move(text)), m_cursor(m_text->createTextCursor()), m_cursorProperties(m_cursor, UNO_QUERY_THROW),
      m_state(std::make_unique<UnoCursor>(m_cursor),
              [text = m_text] { return fromUno(uno([&] { return text->getString(); })); })
{
}

QString ImpressText::text()
{
    return m_state.model().text();
}

void ImpressText::replaceAll(const QString& text)
{
    if (m_state.modelRead()) {
        replace(0, m_state.model().length(), text);
        return;
    }
    // Without reading what is there first.
    m_state.bullets.clear();
    uno([&] {
        m_state.selectAll();
        write(officePieces(text), 0);
    });
    m_state.replacedAll(text);
}

void ImpressText::replace(int start, int count, const QString& text)
{
    ShapeText& model = m_state.model();
    const int from = model.officePosition(start);
    const int to = model.officePosition(start + count);
    // A "\n" right after a "\r" completes that paragraph break, which
    // Impress already has: it has no character of its own.
    const bool completesBreak = start > 0 && model.text().at(start - 1) == QLatin1Char('\r')
                                && text.startsWith(QLatin1Char('\n'));
    // Whatever happens below, the paragraphs may no longer be the ones
    // whose bullets were set.
    m_state.bullets.clear();
    uno([&] {
        m_state.select(from, to);
        write(officePieces(completesBreak ? text.mid(1) : text), from);
    });
    model.replace(start, count, text);
}

// Writes the pieces over the cursor's selection, which begins at `from`:
// the first piece replaces it, the rest follow.
void ImpressText::write(const std::vector<OfficePiece>& pieces, int from)
{
    if (pieces.empty() || pieces.front().lineBreak) {
        m_state.forget();
        m_cursor->setString(OUString());
        m_state.inserted(0);
    }
    int at = from;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const OfficePiece& piece = pieces[i];
        if (i > 0)
            m_state.place(at);
        m_state.forget();
        if (piece.lineBreak) {
            m_text->insertControlCharacter(m_cursor->getStart(), css::text::ControlCharacter::LINE_BREAK, false);
        } else {
            m_cursor->setString(toUno(piece.text));
            m_state.inserted(officeLength(piece));
        }
        at += officeLength(piece);
    }
}

void ImpressText::setFontSize(int start, int count, float points)
{
    const ShapeText& model = m_state.model();
    const int from = model.officePosition(start);
    const int to = model.officePosition(start + count);
    if (from == to)
        return;
    uno([&] {
        m_state.select(from, to);
        const OUString name("CharHeight");
        const Any value(points);
        m_cursorProperties->setPropertyValues(Sequence<OUString>(&name, 1), Sequence<Any>(&value, 1));
    });
}

void ImpressText::setBullet(int start, int count, BulletChange change)
{
    const BulletKind kind = kindOf(change);
    const ShapeText& model = m_state.model();
    const int first = model.paragraphAt(start);
    const int last = count > 0 ? model.paragraphAt(start + count - 1) : first;
    uno([&] {
        for (int k = first; k <= last; ++k) {
            // Turning a bullet on and then choosing its kind asks for the
            // same paragraph twice.
            auto given = m_state.bullets.find(k);
            if (given != m_state.bullets.end() && given->second == kind)
                continue;
            const int at = model.paragraphStart(k);
            m_state.select(at, at);
            applyBullet(kind);
            m_state.bullets[k] = kind;
        }
    });
}

// The shape's numbering rules with level 0 showing the kind, built once
// from the paragraph under the cursor when the kind is first wanted.
const Reference<css::container::XIndexReplace>& ImpressText::rulesFor(BulletKind kind)
{
    Reference<css::container::XIndexReplace>& rules = m_rules[kind];
    if (rules.is())
        return rules;
    const OUString name("NumberingRules");
    rules.set(m_cursorProperties->getPropertyValues(Sequence<OUString>(&name, 1))[0], UNO_QUERY_THROW);
    Sequence<css::beans::PropertyValue> level;
    rules->getByIndex(0) >>= level;
    std::vector<css::beans::PropertyValue> values(level.begin(), level.end());
    auto put = [&](const char* name, const Any& value) {
        for (auto& v : values) {
            if (v.Name.equalsAscii(name)) {
                v.Value = value;
                return;
            }
        }
        css::beans::PropertyValue added;
        added.Name = OUString::createFromAscii(name);
        added.Value = value;
        values.push_back(added);
    };
    switch (kind) {
    case BulletKind::None:
        put("NumberingType", Any(css::style::NumberingType::NUMBER_NONE));
        break;
    case BulletKind::Character:
        put("NumberingType", Any(css::style::NumberingType::CHAR_SPECIAL));
        put("BulletChar", Any(OUString::fromUtf8(kBulletCharacter)));
        break;
    case BulletKind::Number:
        put("NumberingType", Any(css::style::NumberingType::ARABIC));
        break;
    }
    rules->replaceByIndex(0, Any(Sequence<css::beans::PropertyValue>(values.data(), static_cast<sal_Int32>(values.size()))));
    return rules;
}

// Turns the bullet of the paragraph under the cursor on or off. Impress
// shows a bullet from the paragraph's numbering rules at its level; off
// takes both the rule level and the paragraph's own flag, or the master's
// bullet comes back.
void ImpressText::applyBullet(BulletKind kind)
{
    const Reference<css::container::XIndexReplace>& rules = rulesFor(kind);
    // One call for the three (names in alphabetical order, as the
    // interface asks).
    const OUString names[] = {"NumberingIsNumber", "NumberingLevel", "NumberingRules"};
    const Any values[] = {Any(kind != BulletKind::None), Any(sal_Int16(0)), Any(rules)};
    m_cursorProperties->setPropertyValues(Sequence<OUString>(names, 3), Sequence<Any>(values, 3));
}

} // namespace quillora::impress
