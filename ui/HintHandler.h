#pragma once
// The program-wide hint display: whatever is under the mouse tells its hint
// (a widget's or a menu item's status tip), and every window that shows
// hints follows it; with no hint they show "Sposta il mouse". Labels that
// write their own hint on every mouse move carry the property
// "velmarOwnHint" and are left to do so.

#include <QObject>
#include <QString>

namespace velmar::ui {

class HintHandler : public QObject {
    Q_OBJECT

  public:
    /// Watches the whole application.
    explicit HintHandler(QObject* parent = nullptr);
    const QString& Current() const { return current_; }

  signals:
    void hintChanged(const QString& hint);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Tell(const QString& hint);
    QString current_;
};

}  // namespace velmar::ui
