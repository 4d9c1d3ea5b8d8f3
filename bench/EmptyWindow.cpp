// The yardstick for the window's start-up: an empty Qt window of a given
// size, shown, then ended right after its first paint (printing the same
// line) as quillora is with QUILLORA_EXIT_AFTER_SHOW=1.
//
//   empty_window WIDTH HEIGHT

#include "ui/FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    QWidget window;
    window.resize(args.at(1).toInt(), args.at(2).toInt());
    quillora::afterFirstPaint(window, [&app] {
        quillora::printFirstPaintLine();
        app.quit();
    });
    window.show();
    return app.exec();
}
