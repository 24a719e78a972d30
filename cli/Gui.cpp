#include "cli/Gui.h"

#include <QLatin1String>
#include <QMessageLogContext>
#include <QString>
#include <iostream>
#include <system_error>

namespace velmar::cli {

namespace {

QtMessageHandler previousHandler = nullptr;

void DropRuntimeDirNotice(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (type == QtWarningMsg &&
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    if (previousHandler) {
        previousHandler(type, context, message);
    } else {
        std::cerr << qFormatLogMessage(type, context, message).toStdString() << "\n";
    }
}

}  // namespace

RuntimeDirNoticeFilter::RuntimeDirNoticeFilter() {
    previousHandler = qInstallMessageHandler(DropRuntimeDirNotice);
}

RuntimeDirNoticeFilter::~RuntimeDirNoticeFilter() {
    qInstallMessageHandler(previousHandler);
}

std::unique_ptr<QGuiApplication> StartGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmar-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool DirGiven(const Args& args) {
    for (const std::string& arg : args)
        if (arg == "--dir" || arg.rfind("--dir=", 0) == 0) return true;
    return false;
}

std::filesystem::path MapFolder(bool dirGiven, const std::string& dir) {
    if (dirGiven) return dir;
    std::error_code ec;
    std::filesystem::path here = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    for (std::filesystem::path p = here; !ec && !p.empty(); p = p.parent_path()) {
        if (std::filesystem::exists(p / "data" / "MONDOGW.MAP", ec)) return p / "data";
        const std::filesystem::path installed = p / "share" / "velmar";
        if (std::filesystem::exists(installed / "MONDOGW.MAP", ec)) return installed;
        if (p == p.root_path()) break;
    }
    return here;
}

}  // namespace velmar::cli
