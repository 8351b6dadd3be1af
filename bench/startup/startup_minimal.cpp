// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window, quitting as soon as it is shown.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(833, 633);
    window.show();
    // exit() as zavprog --quit-when-shown does: quit() would close the
    // window before it is ever painted.
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
