#pragma once

#include <functional>

class QEvent;
class QObject;

// F1 on a highlighted menu item opens that item's help topic, not the contents that F1 opens
// everywhere else. For an event filter of menus: true when the event was that key and is taken
// care of; topicOf gives the topic of an item's command id (0: none).
bool ShowMenuItemHelp(QObject* watched, QEvent* event, const std::function<int(int id)>& topicOf,
                      const std::function<void(int topic)>& showTopic);
