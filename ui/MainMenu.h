#pragma once
// The main window's menu bar: File (plan files, the template, Quit), View
// (the slide preview switch), Tools (the continuation switch; the window adds
// the spelling switch) and Help (About). The menus only hold the actions; what an action does is the
// window's (see MainWindow), so each can be tested on its own.

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace quillora {

class MainMenu : public QObject {
    Q_OBJECT

public:
    // Builds the bar and its menus as children of `window`.
    explicit MainMenu(QWidget& window);

    QMenuBar* bar() const { return m_bar; }
    QMenu* fileMenu() const { return m_file; }
    QMenu* viewMenu() const { return m_view; }
    QMenu* toolsMenu() const { return m_tools; }
    QMenu* helpMenu() const { return m_help; }

    QAction* openPlan = nullptr;
    QAction* savePlanAs = nullptr;
    QAction* planHistory = nullptr;
    QAction* bringBackEdits = nullptr;
    QAction* useTemplate = nullptr;
    QAction* useStandardTemplate = nullptr;
    QAction* continueLongSections = nullptr; // checkable
    QAction* quit = nullptr;
    QAction* slidePreview = nullptr; // checkable
    QAction* about = nullptr;

private:
    QMenuBar* m_bar = nullptr;
    QMenu* m_file = nullptr;
    QMenu* m_view = nullptr;
    QMenu* m_tools = nullptr;
    QMenu* m_help = nullptr;
};

} // namespace quillora
