#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// The frame the window manager puts around the window. It frames a window only some time after
// it is shown; until then the frame of the window it belongs to is the best guess, since the same
// manager draws both. None while neither is framed.
QMargins FrameMargins(const QWidget& window);

// Where a window of this outer size stands beside the window `other` (outer rectangles): below
// it with a gap, above it where the work area ends too soon below, centred under it, always
// inside the work area. The result is the outer top left corner.
QPoint PlaceBelow(const QRect& other, QSize outer, const QRect& workArea, int gap);

// Where a window of this outer size stands beside the window `other`, top edges level: to its
// right with a gap, to its left where only that side has room; where neither has, on the side
// with more room (the right one if equal), as far off `other` as the work area allows.
QPoint PlaceBeside(const QRect& other, QSize outer, const QRect& workArea, int gap);
