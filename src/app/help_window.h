#pragma once

#include <QDialog>

class QTextBrowser;

// The program's help: the German HTML help file beside the program, opened at a topic.
class THelpWindow : public QDialog {
public:
    THelpWindow(const QString& helpFile, QWidget* parent);

    // Shows the help at the topic's anchor; topic 0 shows the contents.
    void ShowTopic(int topic);
    QString CurrentTopic() const;

private:
    QString HelpFile;
    QTextBrowser* Browser;
};
