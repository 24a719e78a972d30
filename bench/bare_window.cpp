// The yardstick for the program's start-up: a bare Qt Widgets main window
// with a menu and a label, shown, painted once into a picture, and closed,
// exactly as `velmar --screenshot` does with the scheme window.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QLabel(QStringLiteral("Velmar"), &window));
    window.resize(622, 330);
    window.show();
    const QString picture = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTimer::singleShot(0, [&] {
        const QPixmap shot = window.grab();
        if (!picture.isEmpty()) shot.save(picture);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
