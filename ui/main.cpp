// velmar, the desktop program. It takes no arguments in ordinary use; on a
// machine without a display, `velmar --screenshot FILE` (run under a virtual
// display) starts the program as usual, saves a picture of the scheme
// window to FILE and ends without writing anything else, and `velmar
// --check` (on Qt's offscreen platform) checks an installation: it starts
// the program as usual, says which folders it uses, how many ports it read
// and whether each world map reads, then ends through the program's own
// exit, which writes the settings.

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <csignal>
#include <QTranslator>
#include <cstdio>
#include <filesystem>

#include "chart/WorldMap.h"
#include "store/PortsFile.h"
#include "store/Settings.h"
#include "ui/Program.h"
#include "ui/TfrmPorti.h"
#include "ui/TfrmVelmar.h"

namespace {

bool CheckMap(const std::string& folder, velmar::CentralMeridian meridian) {
    const std::filesystem::path path = velmar::MapFilePath(folder, meridian);
    velmar::WorldMap map;
    const bool read =
        velmar::ReadWorldMap(path, map) == velmar::MapLoadStatus::kOk && !map.polylines.empty();
    std::printf("velmar: map %s: %zu coast lines%s\n", path.c_str(), map.polylines.size(),
                read ? "" : ", not read");
    return read;
}

// The exit status of --check: 0 when the ports list and both maps were read
// and the settings were written, 1 otherwise.
int CheckInstallation(velmar::ui::Program& program) {
    const velmar::ProgramFolders& folders = program.folders();
    std::printf("velmar: program folder %s\n", folders.program.c_str());
    std::printf("velmar: data folder %s\n", folders.data.c_str());
    const velmar::PortsList& ports = program.porti().Ports();
    std::printf("velmar: ports %s: %zu ports\n", velmar::PortsPath(folders.data).c_str(),
                ports.ports.size());
    bool found = ports.status == velmar::PortsStatus::Ok && !ports.ports.empty();
    found = CheckMap(folders.data, velmar::CentralMeridian::kGreenwich) && found;
    found = CheckMap(folders.data, velmar::CentralMeridian::kAntimeridian) && found;

    // The exit asks before it drops an unsaved scheme, and a check cannot
    // answer; a start without a startup pair, or with one read, is saved.
    if (!program.session().scheme().saved) {
        std::fprintf(stderr, "velmar: the scheme is not saved: the check does not exit\n");
        return 1;
    }
    program.velmar().close();
    const std::filesystem::path settings =
        std::filesystem::path(folders.program) / velmar::kSettingsFileName;
    std::error_code ec;
    const bool written = std::filesystem::exists(settings, ec);
    std::printf("velmar: settings %s%s\n", settings.c_str(), written ? "" : ": not written");
    return found && written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Under a file size limit a write past it would kill the program with
    // the unsaved scheme; ignored, the write fails and the save says so.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmar"));
    // The installed velmar.desktop: a desktop matches the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("velmar"));
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
    const bool check = args.size() == 2 && args[1] == QLatin1String("--check");

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
    if (check) QTimer::singleShot(0, [&] { QCoreApplication::exit(CheckInstallation(program)); });
    return QApplication::exec();
}
