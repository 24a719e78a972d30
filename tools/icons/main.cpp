// velmar-icons FOLDER SIZE...: renders the program icon, as the windows draw
// it, at each SIZE (pixels square) into the icon theme's layout under FOLDER
// (FOLDER/16x16/apps/velmar.png and so on), for the install. It needs no
// display: it runs on Qt's offscreen platform unless told otherwise.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/Pictures.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: velmar-icons FOLDER SIZE...\n");
        return 64;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "velmar-icons: not a size: %s\n", argv[i]);
            return 64;
        }
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + QStringLiteral("/velmar.png");
        if (!QDir().mkpath(apps) || !velmar::ui::ProgramIcon(size, 1.0).save(file, "PNG")) {
            std::fprintf(stderr, "velmar-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
