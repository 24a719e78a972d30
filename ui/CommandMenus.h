#pragma once
// A window's menus from its domain command table: one menu per menu title in
// the table's order, one item per command with its caption, name, hint and
// shortcut (for this window only), a check box where the command toggles,
// and the separators the table asks for.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <map>
#include <string>
#include <vector>

namespace velmar::ui {

template <typename Info, typename Run>
auto BuildCommandMenus(QMainWindow& window, const std::vector<Info>& commands, Run run) {
    using Command = decltype(Info::command);
    auto text = [](const std::string& s) { return QString::fromStdString(s); };
    std::map<Command, QAction*> actions;
    std::map<std::string, QMenu*> menus;
    for (const Info& info : commands) {
        QMenu*& menu = menus[info.menu];
        if (!menu) menu = window.menuBar()->addMenu(text(info.menu));
        auto* action = new QAction(text(info.caption), &window);
        if (!info.menuName.empty()) action->setObjectName(text(info.menuName));
        action->setStatusTip(text(info.hint));
        if (!info.shortcut.empty()) {
            action->setShortcut(QKeySequence(text(info.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setCheckable(info.checkable);
        const Command command = info.command;
        QObject::connect(action, &QAction::triggered, &window, [run, command] { run(command); });
        menu->addAction(action);
        if (info.separatorAfter) menu->addSeparator();
        actions[command] = action;
    }
    return actions;
}

}  // namespace velmar::ui
