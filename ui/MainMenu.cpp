#include "ui/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace quillora {
namespace {

// An item with its mnemonic in the text; assistive technology reads the
// text without the ampersand as the item's name. The desktop's own keys for
// a standard command, else the common ones (not every platform theme has
// keys for Save As and Quit).
QAction* addItem(QMenu& menu, const QString& text, QKeySequence::StandardKey standard = QKeySequence::UnknownKey,
                 const char* fallback = nullptr)
{
    QAction* action = menu.addAction(text);
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (keys.isEmpty() && fallback)
        keys << QKeySequence(QLatin1String(fallback));
    action->setShortcuts(keys);
    // The window's shortcuts work wherever the focus is in it, also with
    // the menus closed.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

} // namespace

MainMenu::MainMenu(QWidget& window) : QObject(&window)
{
    m_bar = new QMenuBar(&window);
    m_bar->setObjectName(QStringLiteral("MenuBar"));
    m_bar->setAccessibleName(tr("Menu bar"));
    // The desktop's menu font, not the form's bold Arial.
    m_bar->setFont(QApplication::font("QMenuBar"));

    m_file = m_bar->addMenu(tr("&File"));
    m_file->setObjectName(QStringLiteral("FileMenu"));
    openPlan = addItem(*m_file, tr("&Open Plan…"), QKeySequence::Open, "Ctrl+O");
    savePlanAs = addItem(*m_file, tr("Save Plan &As…"), QKeySequence::SaveAs, "Ctrl+Shift+S");
    planHistory = addItem(*m_file, tr("Plan &History…"));
    bringBackEdits = addItem(*m_file, tr("Bring Back &Edits from a Deck…"));
    m_file->addSeparator();
    useTemplate = addItem(*m_file, tr("Use &Template…"));
    useStandardTemplate = addItem(*m_file, tr("Use the &Standard Template"));
    m_file->addSeparator();
    quit = addItem(*m_file, tr("&Quit"), QKeySequence::Quit, "Ctrl+Q");

    m_view = m_bar->addMenu(tr("&View"));
    m_view->setObjectName(QStringLiteral("ViewMenu"));
    slidePreview = addItem(*m_view, tr("Slide &Preview"), QKeySequence::UnknownKey, "F9");
    slidePreview->setCheckable(true);

    m_tools = m_bar->addMenu(tr("&Tools"));
    m_tools->setObjectName(QStringLiteral("ToolsMenu"));
    continueLongSections = addItem(*m_tools, tr("Continue Long Sections on a New Slide"));
    continueLongSections->setCheckable(true);

    m_help = m_bar->addMenu(tr("&Help"));
    m_help->setObjectName(QStringLiteral("HelpMenu"));
    about = addItem(*m_help, tr("&About Quillora"));

    for (QMenu* menu : {m_file, m_view, m_tools, m_help})
        menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));
}

} // namespace quillora
