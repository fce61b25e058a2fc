#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help: the German HTML help file beside the program, opened at a topic. A window
// of its own beside the main window, which may come in front of it.
class THelpWindow : public QWidget {
public:
    explicit THelpWindow(const QString& helpFile);

    // Shows the help at the topic's anchor; topic 0 shows the contents.
    void ShowTopic(int topic);
    // The topic last shown; 0 for the contents.
    int CurrentTopic() const { return Topic; }

private:
    QString HelpFile;
    int Topic = 0;
    QTextBrowser* Browser;
};
