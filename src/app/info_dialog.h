#pragma once

#include <QDialog>

class TDatabaseMgr;

// "Programminformationen": the program's name and version with the facts of the open database
// and the file it lives in.
class TInfoDialog : public QDialog {
public:
    TInfoDialog(const TDatabaseMgr& database, QWidget* parent);
};
