#pragma once
// The about window: the program's name, its version and the folder its data
// files are read from. The same for every module that opens it.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace velmar::ui {

class TfrmInfo final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmInfo)

  public:
    explicit TfrmInfo(QWidget* parent = nullptr);

    /// The program folder shown under the version; the program decides it.
    void SetProgramFolder(const QString& folder);

    /// Notes the calling module (0 main window, 1 points, 2 chart), shows the
    /// window modally and returns its result (QDialog::Accepted for "OK").
    int ShowAbout(int module);
    /// The module of the last ShowAbout.
    int Module() const { return module_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Layout();

    QLabel* imgIcona_;
    QLabel* lblProdotto_;
    QLabel* lblVersione_;
    QLabel* lblCartella_;
    QPushButton* hbOK_;
    QString folder_;
    QRect versionFrame_;
    int module_ = 0;
};

}  // namespace velmar::ui
