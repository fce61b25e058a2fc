#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QPlainTextEdit;
class QPushButton;

namespace DbUI {

// "Meldungen": the lines of an export or import run (4901, read only) and "OK" (1). It is shown
// while the filter works, then stays until the user closes it; "OK" and closing work only once
// the run is finished. It blocks the other windows from the start, so that no command can begin
// while a filter is half way through.
class TLogDialog : public QDialog {
public:
    explicit TLogDialog(QWidget* parent);

    // Adds the line at the end; now and then shows the end and lets the waiting events through,
    // so that the dialog repaints while the filter works.
    void AppendLine(const QString& line);
    // The run is over: "OK" can be pressed.
    void Finish();
    bool Finished() const { return IsFinished; }

    void reject() override;

private:
    void ShowEnd();

    QPlainTextEdit* Lines;
    QPushButton* Ok;
    bool IsFinished = false;
    QElapsedTimer SinceShown;
};

} // namespace DbUI
