#include "dbui/dialog_placement.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

QMargins OwnFrameMargins(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// As near to `wanted` as the range allows; a window longer than the range starts at its start.
int Clamped(int wanted, int length, int rangeStart, int rangeLength) {
    return std::max(rangeStart, std::min(wanted, rangeStart + rangeLength - length));
}

} // namespace

QMargins FrameMargins(const QWidget& window) {
    const QMargins own = OwnFrameMargins(window);
    if (!own.isNull() || !window.parentWidget())
        return own;
    return FrameMargins(*window.parentWidget()->window());
}

QPoint PlaceBelow(const QRect& other, QSize outer, const QRect& workArea, int gap) {
    int top = other.bottom() + 1 + gap;
    if (top + outer.height() > workArea.bottom() + 1)
        top = other.top() - gap - outer.height();
    const int left = other.left() + (other.width() - outer.width()) / 2;
    return {Clamped(left, outer.width(), workArea.left(), workArea.width()),
            Clamped(top, outer.height(), workArea.top(), workArea.height())};
}

QPoint PlaceBeside(const QRect& other, QSize outer, const QRect& workArea, int gap) {
    const int roomRight = workArea.right() - other.right() - gap;
    const int roomLeft = other.left() - workArea.left() - gap;
    const bool right = roomRight >= outer.width() || roomRight >= roomLeft;
    const int left = right ? other.right() + 1 + gap : other.left() - gap - outer.width();
    return {Clamped(left, outer.width(), workArea.left(), workArea.width()),
            Clamped(other.top(), outer.height(), workArea.top(), workArea.height())};
}
