#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace DbUI {

// A list to pick one entry from (101), the first one preselected, with "OK" (1) and "Abbrechen"
// (2); a double click picks at once.
class TPickListDialog : public QDialog {
public:
    TPickListDialog(QWidget* parent, const QString& title, const QStringList& entries);

    // The line picked, or -1 when there is none.
    int Selected() const;

private:
    QListWidget* Entries;
};

} // namespace DbUI
