#pragma once
// What the commands that draw (chart, points --pdf) share: a Qt GUI
// application on the offscreen platform for the painter's texts, quiet about
// Qt's runtime-folder notice, and the folder the world map files are read
// from.

#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/Commands.h"

namespace velmar::cli {

/// Without XDG_RUNTIME_DIR, Qt says on standard error which folder it uses
/// instead. The tool keeps nothing there, so the notice is only noise in a
/// command's output (and in scripts that read standard error for the tool's
/// own messages). While this lives only that notice is dropped; every other
/// message goes on to the handler that was installed before.
class RuntimeDirNoticeFilter {
  public:
    RuntimeDirNoticeFilter();
    ~RuntimeDirNoticeFilter();
    RuntimeDirNoticeFilter(const RuntimeDirNoticeFilter&) = delete;
    RuntimeDirNoticeFilter& operator=(const RuntimeDirNoticeFilter&) = delete;
};

/// The application texts need; the tool never shows a window, so the
/// platform is offscreen unless QT_QPA_PLATFORM says otherwise.
std::unique_ptr<QGuiApplication> StartGui();

/// Whether the arguments give --dir (as "--dir F" or "--dir=F").
bool DirGiven(const Args& args);

/// The folder the map files are read from: `dir` when --dir was given (as
/// the program reads them beside itself), else the bundled data/ found
/// above the tool, else the tool's own folder.
std::filesystem::path MapFolder(bool dirGiven, const std::string& dir);

}  // namespace velmar::cli
