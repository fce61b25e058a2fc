// The diagram window's commands: its keys, its popup menu and what each item does.

#include "diagram/diag_window.h"

#include "app/menu_help.h"

#include <QAction>
#include <QMenu>

void TDiagWindow::BuildCommands() {
    Menu = new QMenu(this);
    Menu->installEventFilter(this);
    for (const TDiagCommand& command : DiagCommandTable()) {
        auto* action = new QAction(QString::fromUtf8(command.Text), this);
        action->setObjectName(QString::number(command.Id));
        if (command.Shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(command.Shortcut)));
            // The keys act while this window's frame is the active window.
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const TDiagCommandId id = command.Id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(action);
        Menu->addAction(action);
        if (command.SeparatorAfter)
            Menu->addSeparator();
        Actions[id] = action;
    }
    Actions.at(DmZeroAxis)->setCheckable(true);
    connect(Menu, &QMenu::aboutToShow, this, &TDiagWindow::UpdateCommands);
    // Outside the menu every key reaches RunCommand, which asks the state of the moment.
    connect(Menu, &QMenu::aboutToHide, this, [this] {
        for (const auto& [id, action] : Actions)
            action->setEnabled(true);
    });
    Actions.at(DmZeroAxis)->setChecked(ZeroAxisFixed());
}

TDiagCommandState TDiagWindow::CommandState() const {
    return {IsComparing(), OverlayShown, Client.WindowCount(), Client.HasLastSelection()};
}

void TDiagWindow::UpdateCommands() {
    const TDiagCommandState state = CommandState();
    for (const TDiagCommand& command : DiagCommandTable()) {
        QAction* action = Actions.at(command.Id);
        action->setText(QString::fromUtf8(DiagCommandText(command, state)));
        action->setEnabled(DiagCommandEnabled(command.Id, state));
    }
    Actions.at(DmZeroAxis)->setChecked(ZeroAxisFixed());
}

QMenu& TDiagWindow::PopupMenu() {
    UpdateCommands();
    return *Menu;
}

void TDiagWindow::ShowPopupMenu(const QPoint& globalPosition) {
    PopupMenu().exec(globalPosition);
}

void TDiagWindow::RunCommand(TDiagCommandId id) {
    if (!DiagCommandEnabled(id, CommandState()))
        return;
    switch (id) {
    case DmCompare:
        ToggleComparison();
        break;
    case DmOverlay:
        ToggleOverlay();
        break;
    case DmZeroAxis:
        ToggleZeroAxis();
        break;
    case DmCopy:
        Copy();
        break;
    case DmPrint:
        Print();
        break;
    case DmSave:
        Save();
        break;
    case DmExport:
        Export();
        break;
    case DmToMap:
        Client.ShowMap();
        break;
    case DmArrange:
        Client.Rearrange();
        break;
    case DmConfigure:
    case DmLastSelection:
    case DmCloseAll:
        Client.RunFrameCommand(id);
        break;
    }
}

bool TDiagWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto topicOf = [](int id) {
        const TDiagCommand* command = FindDiagCommand(id);
        return command ? command->HelpTopic : 0;
    };
    return ShowMenuItemHelp(watched, event, topicOf,
                            [this](int topic) { Client.ShowHelp(topic); }) ||
           QWidget::eventFilter(watched, event);
}
