// The scheme driver: a sequence of steps decoded from the input, taken as a
// user would take them. An entry clicks one of the sixteen entry cells and
// works the keypad (fields set or typed, hemisphere, reset, OK or cancel),
// so it passes the keypad's checks, the coinciding-positions check and
// AcceptEntry with its solver and undo. Once the great circle is known the
// points window may open: its activation runs with a method cell and a
// spacing taken from the input, and its commands (automatic, a method, the
// spacing and limiting-latitude dialogs) go through the same keypad. After
// every step the scheme and the broken line must hold only states -1, 0 or
// 1, finite values and table indices inside the 70 slots, and both must be
// records the program would read back.

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzSupport.h"
#include "scheme/KeypadLogic.h"
#include "scheme/session/Session.h"

using namespace velmar;

namespace {

constexpr int kMaxSteps = 48;

// The sixteen cells a user types.
constexpr CellRef kEntryCells[16] = {
    cells::DepLat, cells::DepLon,    cells::DepTf,  cells::DepTfDate,
    cells::DepTm,  cells::DepTmDate, cells::Rv,     cells::Vp,
    cells::ml,     cells::Dt,        cells::ArrLat, cells::ArrLon,
    cells::ArrTf,  cells::ArrTfDate, cells::ArrTm,  cells::ArrTmDate};

// A keypad worked by the fuzz bytes. A failed check would keep the window
// open; the user then gives up, as with Annulla.
class FuzzKeypad : public Keypad {
  public:
    FuzzKeypad(fuzz::Bytes& bytes, MessageSink& messages, bool& saved)
        : bytes_(bytes), messages_(messages), saved_(saved) {}

    bool ShowKeypad(const KeypadRequest& request, double& value) override {
        KeypadLogic keypad(request, CivilDate{2024, 6, 1});
        const int actions = bytes_.U8() % 6;
        for (int i = 0; i < actions; ++i) {
            const std::uint8_t action = bytes_.U8();
            const int field = (action >> 3) % 3;
            switch (action % 6) {
                case 0:
                    keypad.SetField(field, bytes_.Int());
                    break;
                case 1:
                case 2:
                    keypad.TypeField(field, bytes_.Int());
                    break;
                case 3:
                    keypad.ToggleHemisphere();
                    break;
                case 4:
                    keypad.SetHemisphere("\0NSEWx"[bytes_.U8() % 6]);
                    break;
                default:
                    keypad.Reset();
                    break;
            }
        }
        if (bytes_.U8() % 16 == 15) return false;  // Annulla
        double result = value;
        const KeypadClose close = keypad.PressOk(messages_, saved_, result);
        if (close != KeypadClose::Accepted) return false;
        fuzz::Require(std::isfinite(result), "the keypad accepted a value that is not finite");
        value = result;
        return true;
    }

  private:
    fuzz::Bytes& bytes_;
    MessageSink& messages_;
    bool& saved_;
};

double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0;
}

// A spacing value: mostly a plain one, sometimes any finite double.
double SpacingValue(fuzz::Bytes& bytes) {
    const std::uint8_t shape = bytes.U8();
    if (shape % 4 == 0) return FiniteOrZero(bytes.Double());
    return (static_cast<int>(bytes.U16()) - 32768) / 100.0;
}

void CheckComputedLine(const BrokenLine& line) {
    for (int i = 0; i <= line.n; ++i) {
        fuzz::Require(std::fabs(line.points[i].latitude) <= 90.0 + 1e-9,
                      "a broken-line point beyond the pole");
        if (i < line.n) {
            fuzz::Require(
                std::isfinite(line.legs[i].course) && std::isfinite(line.legs[i].distance),
                "a leg that is not finite");
            fuzz::Require(std::isfinite(line.legTimes[i]), "a leg time that is not finite");
        }
        fuzz::Require(std::isfinite(line.greenwichTimes[i]) && std::isfinite(line.zoneTimes[i]),
                      "a point time that is not finite");
    }
}

// VELMAR_FUZZ_TRACE=1 prints the scheme and the line after every step, to
// follow a finding step by step.
const bool trace = std::getenv("VELMAR_FUZZ_TRACE") != nullptr;

void Trace(int step, int op, const Scheme& scheme, const BrokenLine& line) {
    std::fprintf(stderr, "step %d op %d\n", step, op % 10);
    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            std::fprintf(stderr, "  %.17g/%d", scheme.Value(g, c), scheme.State(g, c));
        }
        std::fprintf(stderr, "\n");
    }
    std::fprintf(stderr, "  n %d vertex %d spacing %d practical %d limitLat %g dtP %g dmP %g\n",
                 line.n, line.vertexIndex, line.spacingChoice, line.practicalChoice, line.limitLat,
                 line.dtP, line.dmP);
    for (int i = 0; i <= line.n && i < kBrokenLineSlots; ++i) {
        std::fprintf(stderr, "  point %d %.17g %.17g\n", i, line.points[i].latitude,
                     line.points[i].longitude);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    fuzz::QuietMessages messages;
    // The driver never reads or writes a file, so the session's folder is never used.
    Session session("", messages);
    FuzzKeypad keypad(bytes, messages, session.scheme().saved);
    session.SetKeypad(&keypad);
    Scheme& scheme = session.scheme();
    BrokenLine& line = session.line();
    SchemeEditor& editor = session.editor();
    BrokenLineEngine& engine = session.engine();
    PointsController& points = session.points();
    bool windowOpen = false;  // the points window has been activated

    for (int step = 0; step < kMaxSteps && !bytes.Empty(); ++step) {
        const std::uint8_t op = bytes.U8();
        const bool greatCircle = !scheme.IsEmpty(cells::Ri) && !scheme.IsEmpty(cells::mo);
        switch (op % 10) {
            case 0:
            case 1:
            case 2:
            case 3: {
                const CellRef cell = kEntryCells[bytes.U8() % 16];
                editor.EditCell(cell.group, cell.cell);
                break;
            }
            case 4: {
                // Any cell clicked, computed ones and those no entry reaches included.
                editor.EditCell(bytes.U8() % kGroups, bytes.U8() % kCellsPerGroup);
                break;
            }
            case 5: {
                if (!greatCircle) break;
                // The method cell and spacing as a stored scheme may hold them.
                const std::uint8_t method = bytes.U8();
                const int state = method & 0x80 ? kStateEntered : kStateComputed;
                if (method % 6 == 5) {
                    scheme.SetCell(cells::Method, 0, 0);
                } else {
                    scheme.SetCell(cells::Method, state, (method % 6) + (method >> 3 & 7) / 8.0);
                }
                scheme.values[cells::Spacing.group][cells::Spacing.cell] = SpacingValue(bytes);
                scheme.SetNrPt(bytes.U8());
                line.spacingChoice = bytes.U8() % 4;
                line.practicalChoice = bytes.U8() % 4;
                line.dmP = SpacingValue(bytes);
                line.dtP = SpacingValue(bytes);
                line.limitLat = (static_cast<int>(bytes.U8()) - 128) * 0.75;
                line.vertexIndex = bytes.U8() % (kBrokenLineSlots - 2);
                [[fallthrough]];
            }
            case 6: {
                if (!greatCircle) break;
                if (engine.Activate()) CheckComputedLine(line);
                windowOpen = true;
                break;
            }
            case 7: {
                if (!windowOpen || !greatCircle) break;
                if (points.Automatic() == CommandResult::kApplied) CheckComputedLine(line);
                break;
            }
            case 8: {
                if (!windowOpen || !greatCircle) break;
                const std::uint8_t which = bytes.U8();
                CommandResult result = CommandResult::kUnchanged;
                switch (which % 4) {
                    case 0:
                        result = points.ChooseMethod(which / 4 % 6);
                        break;
                    case 1:
                        result = points.Spacing(SpacingItem::kNrPt);
                        break;
                    case 2:
                        result = points.Spacing(SpacingItem::kDLonP);
                        break;
                    default:
                        result = points.LimitLatitude();
                        break;
                }
                if (result == CommandResult::kApplied) CheckComputedLine(line);
                break;
            }
            default: {
                if (op % 64 == 9) {
                    scheme.Clear();
                    scheme.ResetHistory();
                    windowOpen = false;
                }
                break;
            }
        }
        if (trace) Trace(step, op, scheme, line);
        fuzz::CheckLiveRecords(scheme, line);
    }
    return 0;
}
