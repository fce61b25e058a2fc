#include "app/menu_help.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

bool ShowMenuItemHelp(QObject* watched, QEvent* event, const std::function<int(int id)>& topicOf,
                      const std::function<void(int topic)>& showTopic) {
    auto* menu = qobject_cast<QMenu*>(watched);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!menu || !key || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !menu->activeAction())
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // the menu takes this F1 itself
        return true;
    }
    if (const int topic = topicOf(menu->activeAction()->objectName().toInt()); topic != 0) {
        menu->close();
        showTopic(topic);
    }
    return true;
}
