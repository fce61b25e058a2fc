#include "app/help_window.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(const QString& helpFile)
    : HelpFile(helpFile), Browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Pelvanor-Hilfe"));
    setObjectName(QStringLiteral("help"));
    // Closing the main window ends the program even while the help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    Browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(640, 560);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
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
