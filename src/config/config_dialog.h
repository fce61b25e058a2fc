#pragma once

#include <QDialog>
#include <map>

class QAbstractButton;
class TTvxConfig;

// "Konfiguration": the display settings. The settings change only when the user confirms.
class TConfigDialog : public QDialog {
public:
    TConfigDialog(TTvxConfig& settings, QWidget* parent);

    // The check box or radio button with the control id.
    QAbstractButton* Control(int id) const { return Controls.at(id); }

    void done(int result) override;

private:
    // Puts the controls to the record's values.
    void Load(const TTvxConfig& settings);
    QAbstractButton* Add(int id, QAbstractButton* button);

    TTvxConfig& Settings;
    std::map<int, QAbstractButton*> Controls;
};
