#pragma once
// The ports window: two lists of the ports of "PORTI.TXT", departure in red
// and arrival in fuchsia, the coordinates of the two chosen ports, a world
// picture with a dot on each, and "Partenza" and "Arrivo", which take the
// chosen port into the scheme through the solver. The list is read once,
// when the window is made; the window is shown modally, and an opener mark
// tells who opened it (0 the scheme window, 2 the chart).

#include <QElapsedTimer>
#include <QImage>
#include <optional>
#include <string>
#include "ui/KeyFirstDialog.h"

#include "scheme/session/Session.h"
#include "store/PortChoice.h"
#include "store/PortsFile.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmar::ui {

class TfrmPorti final : public KeyFirstDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmPorti)

  public:
    /// Reads the ports list of `dataFolder` (the program's data folder).
    TfrmPorti(Session& session, const std::string& dataFolder, QWidget* parent = nullptr);

    /// Shows the window modally for `opener` (0 the scheme window, 2 the
    /// chart); a missing ports list is reported on every showing.
    void ShowPorts(int opener);
    int Opener() const { return opener_; }

    const PortsList& Ports() const { return ports_; }
    /// The picture as shown, with its dots, 800 x 517 pixels.
    const QImage& Picture() const { return imgDst_; }

  signals:
    /// A port was taken while the chart opened the window: the chart shows
    /// the new position at once.
    void chartRedrawRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillLists();
    void Layout();
    void ShowChosenPorts();
    void TakePortOf(int group);
    std::optional<Port> Chosen(const QComboBox* list) const;
    /// Typing in a list: the first port whose name begins with the letters
    /// typed in quick succession becomes the chosen one.
    void JumpTo(QComboBox* list, const QString& typed);
    /// Enter and Escape, seen before any control, press "&Finito" on release.
    bool HandleKey(const QKeyEvent& event) override;

    Session& session_;
    std::string path_;
    PortsList ports_;
    int opener_ = 0;
    QImage imgSrc_;
    QImage imgDst_;
    QString typed_;
    QElapsedTimer typedAt_;
    /// The Enter or Escape whose press the window saw, 0 for none.
    int pressedKey_ = 0;

    QPushButton* hsPar_;
    QPushButton* hsArr_;
    QComboBox* hcPar_;
    QComboBox* hcArr_;
    QLabel* lblLat_;
    QLabel* lblLon_;
    QLabel* lblPLa_;
    QLabel* lblPLo_;
    QLabel* lblALa_;
    QLabel* lblALo_;
    QLabel* imgDstView_;
    QPushButton* hbFine_;
};

}  // namespace velmar::ui
