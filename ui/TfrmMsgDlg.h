#pragma once
// The program's one message box. It sizes itself to its texts and buttons on
// every call, centres itself on the screen, beeps unless it informs, and
// returns the platform's dialog result of the button that ended it.

#include <QDialog>

#include "core/Interaction.h"

class QLabel;
class QPushButton;

namespace velmar::ui {

/// The measures the box's width follows, in screen pixels, read from its
/// elements after their texts are set. A hidden text measures 0.
struct MsgBoxMeasures {
    int margin = 0;        ///< m: the left edge of the icons
    int textLeft = 0;      ///< x0: the left edge of the labels and of the first button
    int buttonWidth = 0;   ///< the OK button's width; a button step is this plus m
    int titleWidth = 0;    ///< the caption in the window font plus the title bar's height
    int shownButtons = 0;  ///< how many of OK, Yes, No, Cancel are shown
    int headerWidth = 0;   ///< the one-line header
    int messageWidth = 0;  ///< a message without a line break; 0 when it wraps
};

/// The width w of the box's client area without its right margin: room for
/// one button, then widened for the caption, the button row, the header and an
/// unbroken message, in that order. A wrapped message and the note never widen.
int MsgBoxWidth(const MsgBoxMeasures& measures);

class TfrmMsgDlg final : public QDialog, public MessageSink {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMsgDlg)

  public:
    explicit TfrmMsgDlg(QWidget* parent = nullptr);

    /// Lays the box out anew from the six strings, shows it modally and
    /// returns kMsgOk, kMsgYes, kMsgNo or kMsgCancel (also for the close box).
    int MsgBox(const Message& message) override;

  public slots:
    /// The close box, Alt+F4 and close() end the box with kMsgCancel.
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Layout(const Message& message);
    /// The title bar's height, which the caption's width is allowed for.
    int TitleBarAllowance() const;

    QLabel* icoWarn_;
    QLabel* icoInfo_;
    QLabel* icoQuestion_;
    QLabel* icoError_;
    QLabel* lblHdr_;
    QLabel* lblMsg_;
    QLabel* lblNte_;
    QPushButton* bbOK_;
    QPushButton* bbYes_;
    QPushButton* bbNo_;
    QPushButton* bbCancel_;
    /// The button Escape presses in this call's box; none when no shown
    /// button has the cancel role (the close box still ends the box).
    QPushButton* escapeButton_ = nullptr;
};

}  // namespace velmar::ui
