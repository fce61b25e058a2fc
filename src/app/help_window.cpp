#include "app/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(const QString& helpFile, QWidget* parent)
    : QDialog(parent), HelpFile(helpFile), Browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Pelvanor-Hilfe"));
    setObjectName(QStringLiteral("help"));
    Browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(640, 560);
}

void THelpWindow::ShowTopic(int topic) {
    Topic = topic;
    QUrl page = QUrl::fromLocalFile(HelpFile);
    if (topic != 0)
        page.setFragment(QString::number(topic));
    Browser->setSource(page, QTextDocument::HtmlResource);
    if (topic != 0)
        Browser->scrollToAnchor(QString::number(topic));
    show();
    raise();
    activateWindow();
}
