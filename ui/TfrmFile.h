#pragma once
// The archive window: numbered scheme pairs VELM-nnn.DAT with PUNT-nnn.DAT
// in a folder the user browses to, each with its description. A click on a
// file previews its description; "Leggi" reads the picked pair into the
// scheme, "Scrivi" writes the scheme under the picked, typed or next number.
// The commands are the session's; the window shows and routes.

#include <QString>
#include <vector>
#include "ui/KeyFirstDialog.h"

#include "store/ArchiveFolder.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

namespace velmar {
class Session;
}

namespace velmar::ui {

class TfrmFile final : public KeyFirstDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmFile)

  public:
    /// The lists start at the program folder of the session.
    explicit TfrmFile(Session& session, QWidget* parent = nullptr);

    /// Shows the window modally; the file list is read again on showing.
    void ShowArchive();

    /// The folder the lists show, where "Leggi" and "Scrivi" act.
    const QString& Folder() const { return folder_; }
    void SetFolder(const QString& folder);

  signals:
    /// A pair was read or written: the scheme window's file name and
    /// description panel have changed.
    void schemeFileChanged();

  protected:
    bool event(QEvent* event) override;

  private:
    void Layout();
    /// Reads the folder's archive files again, keeping the pick when the
    /// picked file is still there.
    void RefreshFiles();
    void RefreshFolders();
    void RefreshDrives();
    void ShowFolderName();
    QString Picked() const;
    void Preview(QListWidgetItem* item);
    void Read();
    void Write();
    /// The window's keys, seen before any control; acted on at release.
    bool HandleKey(const QKeyEvent& event) override;

    Session& session_;
    QString folder_;
    std::vector<ArchiveEntry> entries_;
    bool refreshing_ = false;
    QLabel* label2_;
    QLineEdit* edDes_;
    QLabel* lblDir_;
    QListWidget* dirDat_;
    QComboBox* drvDat_;
    QListWidget* flDat_;
    QLabel* label1_;
    QSpinBox* seNumF_;
    QPushButton* hsScrivi_;
    QPushButton* hsLeggi_;
    QPushButton* hbFine_;
};

}  // namespace velmar::ui
