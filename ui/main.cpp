// velmar, the desktop program. It takes no arguments in ordinary use; on a
// machine without a display, `velmar --screenshot FILE` (run under a virtual
// display) starts the program as usual, saves a picture of the scheme
// window to FILE and ends without writing anything else.

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "ui/Program.h"
#include "ui/TfrmVelmar.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmar"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The platform's own dialogs (files, printing) speak the program's
    // language; without the translations installed they stay in English.
    QTranslator qtItalian;
    if (qtItalian.load(QStringLiteral("qtbase_it"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    QString screenshot;
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--screenshot")) screenshot = args[2];

    velmar::ui::Program program(velmar::ui::RunningProgramFolders());
    QObject::connect(&program, &velmar::ui::Program::ended, &app,
                     [] { QCoreApplication::exit(0); });
    program.Start();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(0, [&] {
            const bool saved = program.velmar().grab().save(screenshot);
            std::fprintf(saved ? stdout : stderr, "%s %s\n",
                         saved ? "velmar: scheme window saved in" : "velmar: cannot write",
                         qPrintable(screenshot));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
