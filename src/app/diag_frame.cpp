#include "app/diag_frame.h"

#include "diagram/diag_window.h"
#include "render/qt_text.h"

#include <QCloseEvent>
#include <QVBoxLayout>

TDiagFrame::TDiagFrame(const TTvxConfig& settings, TDiagramData& station,
                       std::function<void(TDiagFrame*)> closed)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      Closed(std::move(closed)) {
    setWindowTitle(ToQString(station.Place().Name()));
    DiagramView = new TDiagWindow(settings, station, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DiagramView);
    setFocusProxy(DiagramView);
}

void TDiagFrame::Place(const QRect& geometry) {
    // The arrangement's rectangles hold the whole window with its caption and border; the
    // window manager's decoration is known once the frame was shown.
    const QSize decoration = frameGeometry().size() - size();
    setFixedSize((geometry.size() - decoration).expandedTo(QSize(1, 1)));
    move(geometry.topLeft());
}

void TDiagFrame::closeEvent(QCloseEvent* event) {
    event->accept();
    if (Closed)
        Closed(this);
}
