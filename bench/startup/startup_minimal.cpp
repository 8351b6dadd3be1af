// The yardsticks of the start-up benchmark, quitting as soon as their
// window is shown:
//   (default) the textbook minimal Qt Widgets program: a main window showing
//             one line of text, so Qt sets up its fonts as any real program
//             must;
//   --bare    a main window with nothing in it, which never touches fonts.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool bare = QCoreApplication::arguments().contains(QStringLiteral("--bare"));
    QMainWindow window;
    if (!bare)
        window.setCentralWidget(new QLabel(QStringLiteral("Hello, world"), &window));
    window.resize(833, 633);
    window.show();
    // exit() as zavprog --quit-when-shown does: quit() would close the
    // window before it is ever painted.
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
