#include "app/diag_frame.h"

#include "render/qt_text.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <QWindow>

TDiagFrame::TDiagFrame(const TTvxConfig& settings, TDiagramData& station, TOwner& owner)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      Owner(owner) {
    setWindowTitle(ToQString(station.Place().Name()));
    // The program ends with its main window, whatever diagrams are on show.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    DiagramView = new TDiagWindow(settings, station, owner, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DiagramView);
    setFocusProxy(DiagramView);
}

void TDiagFrame::Place(const QRect& outer, QSize guess) {
    Target = outer;
    Corrections = 2;
    const QSize own = Decoration();
    PlacementPending = own.isNull() && !guess.isNull();
    const QSize decoration = own.isNull() ? guess : own;
    setFixedSize((outer.size() - decoration).expandedTo(QSize(1, 1)));
    move(outer.topLeft());
    // A shown window is also moved through its platform window: the window manager may have put
    // it elsewhere than Qt believes, and then the move above asked nothing.
    if (QWindow* window = windowHandle(); window && window->isVisible())
        window->setFramePosition(outer.topLeft());
}

bool TDiagFrame::event(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Owner.Activated(*this);
    if (PlacementPending && !Decoration().isNull())
        Place(Target);
    else if (event->type() == QEvent::Move || event->type() == QEvent::Show)
        KeepPlace();
    return QWidget::event(event);
}

// A window shown again is sometimes put where its client, not its frame, was asked to go, so
// that its caption leaves the screen; it is moved back, once it has arrived. Moves by the user
// after that are theirs.
void TDiagFrame::KeepPlace() {
    if (Corrections == 0 || !isVisible() || Decoration().isNull())
        return;
    QWindow* window = windowHandle();
    if (frameGeometry().topLeft() == Target.topLeft() || !window) {
        Corrections = 0;
        return;
    }
    --Corrections;
    window->setFramePosition(Target.topLeft());
}

// The first close of a comparing window only ends the comparison.
void TDiagFrame::closeEvent(QCloseEvent* event) {
    if (!DiagramView->CanClose()) {
        event->ignore();
        return;
    }
    event->accept();
    Owner.Closed(*this);
}
