#pragma once
// A single-line text box that raises Change on every change of its text,
// typed or assigned (also when the assigned text equals the old one), and
// GotFocus when it receives the keyboard focus.

#include "ui/controls/ChangeRelay.h"

#include <QLineEdit>

namespace quillora {

class LineBox : public QLineEdit {
    Q_OBJECT

public:
    explicit LineBox(QWidget* parent = nullptr);

    void setText(const QString& text);

Q_SIGNALS:
    void Change();
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    ChangeRelay m_relay;
};

} // namespace quillora
