#pragma once
// The keypad window: every number the user gives is typed here, split into up
// to three whole-number fields and, for positions, a hemisphere letter. The
// window only shows a KeypadLogic and routes keys and clicks to it; the
// fields, captions, limits, checks and texts are the logic's.

#include <QDialog>
#include <array>
#include <optional>

#include "core/Interaction.h"
#include "scheme/KeypadLogic.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace velmar::ui {

class TfrmTast final : public QDialog, public Keypad {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmTast)

  public:
    /// `messages` shows the zero message; `schemeSaved` is cleared by an
    /// accepted value.
    TfrmTast(MessageSink& messages, bool& schemeSaved, QWidget* parent = nullptr);

    /// Opens modally on the request, reloading every element from it. True
    /// with `value` set when a checked, changed value was accepted; false when
    /// cancelled or, in modify mode, unchanged.
    bool ShowKeypad(const KeypadRequest& request, double& value) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Load();
    void ShowFields();
    void ShowText();
    void FieldEdited(int field);
    void hbSegnoClick();
    void hsBkSpClick();
    void hbOKClick();

    MessageSink& messages_;
    bool& schemeSaved_;
    std::optional<KeypadLogic> logic_;
    double value_ = 0;
    bool accepted_ = false;
    bool loading_ = false;
    /// The check text of the last refused OK while it is still shown, in red.
    std::optional<std::string> checkText_;

    QLabel* pnlIns_;
    QLabel* lblSpiega_;
    QLabel* lblMinMax_;
    std::array<QLabel*, 3> captions_;
    std::array<QSpinBox*, 3> fields_;
    QPushButton* hbSegno_;
    QPushButton* hsBkSp_;
    QPushButton* hbOK_;
    QPushButton* hbAnnulla_;
};

}  // namespace velmar::ui
