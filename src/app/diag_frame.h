#pragma once

#include "diagram/diag_window.h"

#include <QRect>
#include <QWidget>

class TDiagramData;
class TTvxConfig;

// The top-level window of one diagram: the station's name as title, the diagram view as its
// only content, no sizing border (the arrangement sets its place and size). It is made hidden;
// it tells its owner when it becomes the active window and when it closes, and the owner
// forgets it and deletes it.
class TDiagFrame : public QWidget {
public:
    // The windows around the frame, which its view asks as well.
    class TOwner : public TDiagWindow::TClient {
    public:
        virtual void Activated(TDiagFrame& frame) = 0;
        virtual void Closed(TDiagFrame& frame) = 0;

    protected:
        ~TOwner() = default;
    };

    TDiagFrame(const TTvxConfig& settings, TDiagramData& station, TOwner& owner);

    TDiagWindow& View() const { return *DiagramView; }
    // Puts the whole frame, caption and border included, on the place the arrangement gave it.
    // Until the window manager has framed the window, its decoration is taken to be `guess`;
    // once it is known, the frame is placed again.
    void Place(const QRect& outer, QSize guess = {});

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QSize Decoration() const { return frameGeometry().size() - size(); }
    void KeepPlace();

    TDiagWindow* DiagramView;
    TOwner& Owner;
    QRect Target;
    // Placed with a guessed decoration.
    bool PlacementPending = false;
    // Corrections still allowed of a place the window manager missed.
    int Corrections = 0;
};
