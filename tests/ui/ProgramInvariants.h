#pragma once
// What must hold after every user action on the running program, whatever
// the action was. Each check asks the domain for its rule (the display text
// of a cell, the limits of a computed value, whether two positions
// coincide, what a scheme record holds) and compares it with what the
// windows show and the files hold.
//
// A step is one top-level action with everything it opened: BeginStep
// snapshots the scheme, the last transferred record and the program
// folder's files; EndStep returns the faults found.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "scheme/Solver.h"
#include "store/SchemeFiles.h"
#include "ui/Program.h"
#include "ui/TfrmCarta.h"
#include "ui/TfrmPunti.h"
#include "ui/TfrmVelmar.h"

namespace velmar::ui::testing {

class ProgramInvariants : public QObject {
  public:
    /// `root` holds the program folder and every folder the user may browse to.
    explicit ProgramInvariants(std::filesystem::path root) : root_(std::move(root)) {
        qApp->installEventFilter(this);
    }

    /// Follows a (new) run of the program.
    void Attach(Program& program) {
        program_ = &program;
        ended_ = cleared_ = clearedSinceTransfer_ = false;
        connect(&program, &Program::ended, this, [this] { ended_ = true; });
        connect(&program.velmar(), &TfrmVelmar::schemeCleared, this, [this] { cleared_ = true; });
        record_ = RecordScheme();
    }
    bool Ended() const { return ended_; }

    void BeginStep() {
        answers_.clear();
        cleared_ = false;
        savedAtStart_ = program_->session().scheme().saved;
        files_ = Files();
        record_ = RecordScheme();
    }

    QStringList EndStep() {
        QStringList faults;
        Session& session = program_->session();
        const Scheme& scheme = session.scheme();

        if (QWidget* modal = QApplication::activeModalWidget())
            faults << QStringLiteral("%1 is still open after its caller returned")
                          .arg(modal->objectName());

        // Every value label shows its cell's text; states and limits hold.
        for (int g = 0; g < kGroups; ++g) {
            for (int c = 0; c < kCellsPerGroup; ++c) {
                const CellRef cell{g, c};
                if (cell == cells::Spacing) continue;
                const int state = scheme.State(cell);
                const double value = scheme.Value(cell);
                const QString label = QString::fromStdString(CellLabel(cell));
                if (state < -1 || state > 1)
                    faults << QStringLiteral("%1 has the state %2").arg(label).arg(state);
                const QString shown = program_->velmar().ValueLabel(cell)->text();
                const QString text =
                    QString::fromStdString(FormatValue(KindOf(cell), state, value));
                if (shown != text)
                    faults << QStringLiteral("%1 shows \"%2\", its cell says \"%3\"")
                                  .arg(label, shown, text);
                if (state < 0 && !CellWithinLimits(cell, value))
                    faults << QStringLiteral("computed %1 = %2 is outside its limits")
                                  .arg(label)
                                  .arg(value, 0, 'g', 17);
            }
        }
        // Typed and port positions keep a minute of arc apart; an arrival
        // found by dead reckoning lies ml (at least 0.1 mile) from the
        // departure, which may be less than a minute, but never on it.
        const bool reckoned = scheme.State(cells::ArrLat) < 0;
        const bool bothSet = !scheme.IsEmpty(cells::DepLat) && !scheme.IsEmpty(cells::DepLon) &&
                             !scheme.IsEmpty(cells::ArrLat) && !scheme.IsEmpty(cells::ArrLon);
        if (bothSet && (reckoned ? scheme.Value(cells::ArrLat) == scheme.Value(cells::DepLat) &&
                                       scheme.Value(cells::ArrLon) == scheme.Value(cells::DepLon)
                                 : session.solver().PositionsCoincide(cells::ArrLat,
                                                                      scheme.Value(cells::ArrLat))))
            faults << QStringLiteral("departure and arrival coincide: %1")
                          .arg(Q(CellsText(scheme, {cells::DepLat, cells::DepLon, cells::ArrLat,
                                                    cells::ArrLon, cells::Rv, cells::ml})));

        // The broken line within its slots; the list shows the domain's 2N + 1 lines.
        if (session.line().n >= kBrokenLineSlots)
            faults << QStringLiteral("the broken line's N is %1").arg(session.line().n);
        const std::vector<std::string>& lines = session.engine().Display().lines;
        const QListWidget* list = program_->punti().List();
        if (!lines.empty() && lines.size() % 2 == 0)
            faults << QStringLiteral("the points list has an even %1 lines").arg(lines.size());
        if (lines.size() > 2 * (kBrokenLineSlots - 1) + 1)
            faults << QStringLiteral("the points list has %1 lines").arg(lines.size());
        bool same = list->count() == int(lines.size());
        for (int i = 0; same && i < list->count(); ++i)
            same = list->item(i)->text() == QString::fromStdString(lines[std::size_t(i)]);
        if (!same)
            faults << QStringLiteral("the points list shows %1 lines, the broken line has %2")
                          .arg(list->count())
                          .arg(lines.size());

        // The chart's zoom within its bounds.
        const int zoom = program_->carta().View().Zoom();
        if (zoom < kMinZoom || zoom > kMaxZoom)
            faults << QStringLiteral("the chart's zoom is %1").arg(zoom);

        // SchemeSaved: true after a transfer; true only while the entered
        // cells are those of the pair last read or written (a clear keeps
        // the flag as it was).
        const Scheme record = RecordScheme();
        const bool transferred = !SameFields(record, record_);
        if (transferred) clearedSinceTransfer_ = false;
        if (cleared_) clearedSinceTransfer_ = true;
        if (transferred && !scheme.saved)
            faults << QStringLiteral("a pair was read or written and the scheme is not saved");
        if (scheme.saved && !clearedSinceTransfer_ && !SameEntries(scheme, record))
            faults << QStringLiteral("the scheme was changed and is still saved");

        // Files change only through a save the user asked for, and read back whole.
        const bool yes = std::find(answers_.begin(), answers_.end(), kMsgYes) != answers_.end();
        const auto now = Files();
        for (const auto& [path, bytes] : files_)
            if (!now.count(path)) faults << QStringLiteral("%1 was removed").arg(Q(path));
        for (const auto& [path, bytes] : now) {
            const auto before = files_.find(path);
            const bool added = before == files_.end();
            if (!added && before->second == bytes) continue;
            const std::string name = std::filesystem::path(path).filename().string();
            const std::filesystem::path folder = std::filesystem::path(path).parent_path();
            if (name == "VELMAR3.INI") {
                if (!ended_) faults << QStringLiteral("the settings were written before the end");
                continue;
            }
            const std::string key = PairKey(name);
            if (key.empty()) {
                faults << QStringLiteral("%1 %2").arg(
                    Q(path), added ? QStringLiteral("appeared") : QStringLiteral("changed"));
                continue;
            }
            const bool newPair = !files_.count(SchemePairPaths(folder.string(), key).schemeFile);
            if (!yes && !savedAtStart_ && !newPair)
                faults << QStringLiteral("%1 was written without the user's yes").arg(Q(path));
            Silent silent;
            SchemeFiles reader(folder.string(), silent);
            Scheme scheme2;
            BrokenLine line2;
            if (reader.Load(key, scheme2, line2) != PairOutcome::Transferred || silent.shown)
                faults << QStringLiteral("%1 does not read back").arg(Q(path));
        }
        return faults;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The message box's answers, taken as it hides.
        if (event->type() == QEvent::Hide && watched->objectName() == QLatin1String("frmMsgDlg"))
            answers_.push_back(static_cast<QDialog*>(watched)->result());
        return false;
    }

  private:
    struct Silent : MessageSink {
        int shown = 0;
        int MsgBox(const Message&) override {
            ++shown;
            return kMsgCancel;
        }
    };

    static QString Q(const std::string& s) { return QString::fromStdString(s); }
    /// "Latitudine di Partenza 44°24'.0N (+1), ...": the cells as shown, with their states.
    static std::string CellsText(const Scheme& scheme, std::initializer_list<CellRef> list) {
        std::string text;
        for (const CellRef& c : list)
            text += (text.empty() ? "" : ", ") + CellLabel(c) + " " +
                    FormatValue(KindOf(c), scheme.State(c), scheme.Value(c)) + " (" +
                    std::to_string(scheme.State(c)) + ")";
        return text;
    }

    /// The scheme fields of the record last read or written.
    Scheme RecordScheme() const {
        Scheme scheme;
        DecodeScheme(program_->session().files().SchemeRecord(), scheme);
        return scheme;
    }
    static bool SameFields(const Scheme& a, const Scheme& b) {
        return std::equal(&a.values[0][0], &a.values[0][0] + kGroups * kCellsPerGroup,
                          &b.values[0][0]) &&
               std::equal(&a.states[0][0], &a.states[0][0] + kGroups * kCellsPerGroup,
                          &b.states[0][0]) &&
               std::equal(a.markers, a.markers + kMarkerSlots, b.markers);
    }
    /// The same cells entered with the same values; the method and the
    /// spacing are the broken line's, which a recompute writes.
    static bool SameEntries(const Scheme& a, const Scheme& b) {
        for (int g = 0; g < kGroups; ++g) {
            for (int c = 0; c < kCellsPerGroup; ++c) {
                const CellRef cell{g, c};
                if (cell == cells::Spacing || cell == cells::Method) continue;
                const bool entered = a.State(cell) > 0;
                if (entered != (b.State(cell) > 0)) return false;
                if (entered && a.Value(cell) != b.Value(cell)) return false;
            }
        }
        return true;
    }

    /// The key of a scheme pair file: "AVVIO" or "VELM-nnn.DAT"; empty for
    /// any other name.
    static std::string PairKey(const std::string& name) {
        if (name == "VELMAR.DAT" || name == "PUNTI.DAT") return std::string(kStartupKey);
        if (name.size() == 12 && name.substr(8) == ".DAT" &&
            (name.rfind("VELM-", 0) == 0 || name.rfind("PUNT-", 0) == 0))
            return "VELM-" + name.substr(5);
        return {};
    }

    /// Every file under the root: the bytes of the program's own files, the
    /// size and time of the bundled data (which is large and never written).
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(root_, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (!it->is_regular_file()) continue;
            const std::string path = it->path().string();
            const std::string ext = it->path().extension().string();
            if (ext == ".DAT" || ext == ".INI") {
                std::ifstream in(path, std::ios::binary);
                files[path] = {std::istreambuf_iterator<char>(in), {}};
            } else {
                files[path] = std::to_string(it->file_size()) + "@" +
                              std::to_string(it->last_write_time().time_since_epoch().count());
            }
        }
        return files;
    }

    std::filesystem::path root_;
    Program* program_ = nullptr;
    bool ended_ = false;
    bool cleared_ = false;
    bool clearedSinceTransfer_ = false;
    bool savedAtStart_ = true;
    std::vector<int> answers_;
    std::map<std::string, std::string> files_;
    Scheme record_;
};

}  // namespace velmar::ui::testing
