#include "ui/controls/LineBox.h"

#include <limits>

namespace quillora {

LineBox::LineBox(QWidget* parent) : QLineEdit(parent), m_relay([this] { Q_EMIT Change(); })
{
    // No length limit of our own: a long stored name must come back whole.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, [this] { m_relay.onToolkitChange(); });
}

void LineBox::setText(const QString& text)
{
    m_relay.assign([&] { QLineEdit::setText(text); });
}

void LineBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    Q_EMIT GotFocus();
}

} // namespace quillora
