// The yardstick the window's start-up is held to: a plain QMainWindow with
// the same kinds of widgets as the real window, holding text and doing
// nothing with it: File, Tools and Help menus, a button, two labelled
// fields, two tab bars of eight tabs and two text boxes holding a hint, in
// the window's font, with a client area of the window's designed size. Like
// the empty window it ends right after its first paint, printing the same
// line.
//
//   plain_window

#include "ui/FirstPaint.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr QSize kClientSize{848, 749};

const char kHint[] = "Describe who buys the product today and who should buy it tomorrow.\n"
                     "- How large is each group, and how fast is it growing?\n"
                     "- What does each group need that nobody offers yet?";

QWidget* labelledField(const QString& label, QWidget* parent)
{
    auto* frame = new QGroupBox(label, parent);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(new QLineEdit(frame));
    return frame;
}

void addTabsAndText(QVBoxLayout& layout, int firstTab, QWidget* parent)
{
    auto* tabs = new QTabBar(parent);
    for (int tab = firstTab; tab < firstTab + 8; ++tab)
        tabs->addTab(QStringLiteral("Section %1").arg(tab + 1));
    auto* text = new QTextEdit(parent);
    text->setPlainText(QLatin1String(kHint));
    layout.addWidget(tabs);
    layout.addWidget(text, 1);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Plain"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    window.setFont(font);

    for (const char* title : {"&File", "&Tools", "&Help"})
        window.menuBar()->addMenu(QLatin1String(title))->addAction(QStringLiteral("Item"));

    auto* client = new QWidget(&window);
    client->setFixedSize(kClientSize);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(new QPushButton(QStringLiteral("Press Here"), client));
    layout->addWidget(labelledField(QStringLiteral("First Field"), client));
    layout->addWidget(labelledField(QStringLiteral("Second Field"), client));
    addTabsAndText(*layout, 0, client);
    addTabsAndText(*layout, 8, client);
    window.setCentralWidget(client);

    quillora::afterFirstPaint(window, [&app] {
        quillora::printFirstPaintLine();
        app.quit();
    });
    window.show();
    return app.exec();
}
