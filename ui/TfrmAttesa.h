#pragma once
// The wait window shown while the program starts: a picture, the program's
// name and "Un attimo, grazie...", with no title bar and no border.

#include <QWidget>

namespace velmar::ui {

class TfrmAttesa final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmAttesa)

  public:
    explicit TfrmAttesa(QWidget* parent = nullptr);

    /// Centres and shows the window and paints it at once, before the event
    /// loop runs.
    void ShowAndPaint();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmar::ui
