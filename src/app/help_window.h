#pragma once

#include <QDialog>

class QTextBrowser;

// The program's help: the German HTML help file beside the program, opened at a topic.
class THelpWindow : public QDialog {
public:
    THelpWindow(const QString& helpFile, QWidget* parent);

    // Shows the help at the topic's anchor; topic 0 shows the contents.
    void ShowTopic(int topic);
    // The topic last shown; 0 for the contents.
    int CurrentTopic() const { return Topic; }

private:
    QString HelpFile;
    int Topic = 0;
    QTextBrowser* Browser;
};
