#pragma once
// A multi-line text box with a vertical scroll bar whose text uses "\r\n"
// between lines, like the stored statements and the hint texts. Tab moves the
// focus on instead of typing a tab.

#include "ui/controls/ChangeRelay.h"

#include <QPlainTextEdit>
#include <functional>

class QMenu;

namespace quillora {

// The box's accessible name, from its section's caption; translated under
// the context "StatementBox".
inline constexpr char kStatementName[] = QT_TRANSLATE_NOOP("StatementBox", "%1 statement");

class StatementBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit StatementBox(QWidget* parent = nullptr);

    // Lines joined by "\r\n"; nothing else of the text is changed.
    QString text() const;
    // Accepts "\r\n", "\n" or "\r" as line breaks; raises one Change.
    void setText(const QString& text);

    // Names the box for assistive technology after the section it shows:
    // kStatementName with the section's caption.
    void setSectionCaption(const QString& caption);

    // Builds the box's context menu for the text position it was asked at
    // (under the mouse, or the cursor's for the keyboard's menu key); the
    // box's standard menu when none is set. The box owns the menu it shows.
    using ContextMenuBuilder = std::function<QMenu*(const QTextCursor& at)>;
    void setContextMenuBuilder(ContextMenuBuilder builder) { m_menuBuilder = std::move(builder); }

    static QString toStoredText(QString displayed);
    static QString toDisplayedText(QString stored);

Q_SIGNALS:
    // Every change of the text, typed or assigned.
    void Change();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ChangeRelay m_relay;
    ContextMenuBuilder m_menuBuilder;
};

} // namespace quillora
