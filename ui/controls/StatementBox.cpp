#include "ui/controls/StatementBox.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QTextDocument>

namespace quillora {

StatementBox::StatementBox(QWidget* parent)
    : QPlainTextEdit(parent), m_relay([this] { Q_EMIT Change(); })
{
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { m_relay.onToolkitChange(); });
}

void StatementBox::setSectionCaption(const QString& caption)
{
    // QWidget raises NameChanged for assistive technology on every assignment.
    const QString name = QCoreApplication::translate("StatementBox", kStatementName).arg(caption);
    if (name != accessibleName())
        setAccessibleName(name);
}

void StatementBox::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_menuBuilder) {
        QPlainTextEdit::contextMenuEvent(event);
        return;
    }
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    QMenu* menu = m_menuBuilder(byMouse ? cursorForPosition(event->pos()) : textCursor());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

QString StatementBox::toStoredText(QString displayed)
{
    // The document keeps paragraphs apart with U+2029; Shift+Enter inserts U+2028.
    displayed.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    displayed.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return displayed;
}

QString StatementBox::toDisplayedText(QString stored)
{
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return stored;
}

QString StatementBox::text() const
{
    // toRawText keeps every character as typed (toPlainText would turn
    // non-breaking spaces into plain ones).
    return toStoredText(document()->toRawText());
}

void StatementBox::setText(const QString& text)
{
    m_relay.assign([&] { setPlainText(toDisplayedText(text)); });
}

} // namespace quillora
