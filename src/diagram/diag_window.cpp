#include "diagram/diag_window.h"

#include "app/wait_cursor.h"
#include "config/tvx_config.h"
#include "render/diagram_output.h"
#include "render/qt_text.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

namespace {

// Fixed for every window at once; not kept beyond the run.
bool ZeroAxisFixedEverywhere = false;

} // namespace

TDiagWindow::TDiagWindow(const TTvxConfig& settings, TDiagramData& station, TClient& client,
                         QWidget* parent)
    : QWidget(parent), Settings(settings), ShownStation(&station), Client(client),
      StationNegativeSteps(::NegativeSteps(station)) {
    // The cached bitmap covers everything the window shows.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    BuildCommands();
}

TDiagWindow::~TDiagWindow() = default;

bool TDiagWindow::ZeroAxisFixed() {
    return ZeroAxisFixedEverywhere;
}

QString TDiagWindow::Caption() const {
    return window()->windowTitle();
}

void TDiagWindow::SetComparison(TDiagramData* comparison) {
    if (comparison == ShownStation || comparison == ComparisonStation)
        return;
    const bool started = !ComparisonStation;
    ComparisonStation = comparison;
    const QString name = ToQString(ShownStation->Place().Name());
    if (!comparison) {
        OverlayShown = false;
        window()->setWindowTitle(name);
        Client.SetCurrentPair(ShownStation, nullptr);
        InvalidatePicture();
        return;
    }
    window()->setWindowTitle(name + QStringLiteral(" verglichen mit ") +
                             ToQString(comparison->Place().Name()));
    Client.SetCurrentPair(ShownStation, comparison);
    // Each diagram keeps the scale of its own window.
    ComparisonNegativeSteps = Client.NegativeStepsOf(comparison).value_or(StationNegativeSteps);
    // A new comparison changes the picture's shape, a new partner only its lower half.
    InvalidatePicture(OverlayShown || started);
}

void TDiagWindow::ToggleComparison() {
    if (!IsComparing()) {
        if (TDiagramData* partner = Client.ChoosePartner(*this))
            SetComparison(partner);
        return;
    }
    SetComparison(nullptr);
    Client.ComparisonEnded();
}

void TDiagWindow::ToggleOverlay() {
    if (!IsComparing())
        return;
    OverlayShown = !OverlayShown;
    InvalidatePicture();
}

void TDiagWindow::ToggleZeroAxis() {
    ZeroAxisFixedEverywhere = !ZeroAxisFixedEverywhere;
    Client.RedrawAll();
}

void TDiagWindow::Step(bool forward) {
    if (IsComparing()) {
        if (TDiagramData* partner = Client.PartnerAfter(ComparisonStation, forward))
            SetComparison(partner);
        return;
    }
    if (QWidget* frame = Client.FrameAfter(*this, forward)) {
        frame->showNormal();
        frame->raise();
        frame->activateWindow();
    }
}

bool TDiagWindow::CanClose() {
    if (!IsComparing())
        return true;
    ToggleComparison();
    return false;
}

void TDiagWindow::InvalidatePicture(bool whole) {
    Bitmap = QImage();
    if (whole)
        update();
    else
        update(QRect(0, height() / 2, width(), height() - height() / 2));
}

TDiagramContent TDiagWindow::Content() const {
    TDiagramContent content{ShownStation, StationNegativeSteps};
    content.Comparison = ComparisonStation;
    content.CompareNegativeSteps = ComparisonNegativeSteps;
    content.ShowOverlay = OverlayShown;
    content.ZeroAxisFixed = ZeroAxisFixedEverywhere;
    return content;
}

void TDiagWindow::DrawPicture() {
    const TWaitCursor wait;
    Bitmap = DiagramOutput::ScreenImage(Settings, Content(), size(), devicePixelRatioF());
    ++Drawings;
}

void TDiagWindow::paintEvent(QPaintEvent*) {
    if (Bitmap.isNull() || Bitmap.devicePixelRatio() != devicePixelRatioF())
        DrawPicture();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), Bitmap);
}

void TDiagWindow::resizeEvent(QResizeEvent* event) {
    if (event->size() != event->oldSize())
        InvalidatePicture();
    QWidget::resizeEvent(event);
}

void TDiagWindow::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->text() == QLatin1String(" ")) {
        RunCommand(DmOverlay);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        window()->close();
        return;
    case Qt::Key_Right:
    case Qt::Key_Left:
        Step(event->key() == Qt::Key_Right);
        return;
    case Qt::Key_F10:
        if (shift && !alt) {
            ShowPopupMenu(QCursor::pos());
            return;
        }
        break;
    case Qt::Key_F1:
        Client.ShowHelp(0);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void TDiagWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && (Settings.AlwaysMaximize || IsComparing())) {
        Step(true);
        return;
    }
    QWidget::mousePressEvent(event);
}

void TDiagWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        ShowPopupMenu(event->globalPosition().toPoint());
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
