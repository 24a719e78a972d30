#include "ui/HintHandler.h"

#include <QApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

#include "scheme/SchemeScreen.h"

namespace velmar::ui {

HintHandler::HintHandler(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

void HintHandler::Tell(const QString& hint) {
    const QString text = hint.isEmpty() ? QString::fromLatin1(kNoHint) : hint;
    if (text == current_) return;
    current_ = text;
    emit hintChanged(text);
}

bool HintHandler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Menu items tell their hint this way, and an empty one when the
        // mouse leaves them. A widget's own tip is taken on entering it below.
        if (!watched->isWidgetType() || watched->inherits("QMenu") || watched->inherits("QMenuBar"))
            Tell(static_cast<QStatusTipEvent*>(event)->tip());
        return true;  // no status bar of Qt's own shows it a second time
    }
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->property("velmarOwnHint").toBool()) return false;
        QString tip;
        for (QWidget* w = widget; w && tip.isEmpty();
             w = w->isWindow() ? nullptr : w->parentWidget())
            tip = w->statusTip();
        Tell(tip);
    }
    return false;
}

}  // namespace velmar::ui
