#include "app/window_arrangement.h"

#include <algorithm>

std::vector<QRect> ArrangeDiagramWindows(int count, const QRect& workArea, int captionStep,
                                         bool alwaysMaximize) {
    if (count <= 0)
        return {};
    const int x = workArea.x();
    const int y = workArea.y();
    const int width = workArea.width();
    const int height = workArea.height();
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    if (count == 1 || alwaysMaximize)
        return std::vector<QRect>(static_cast<std::size_t>(count), workArea);
    if (count == 2)
        return {QRect(x, y, width, halfHeight), QRect(x, y + halfHeight, width, halfHeight)};
    if (count == 3)
        return {QRect(x, y, width, halfHeight), QRect(x, y + halfHeight, halfWidth, halfHeight),
                QRect(x + halfWidth, y + halfHeight, halfWidth, halfHeight)};

    std::vector<QRect> places{QRect(x, y, halfWidth, halfHeight),
                              QRect(x + halfWidth, y, halfWidth, halfHeight),
                              QRect(x, y + halfHeight, halfWidth, halfHeight),
                              QRect(x + halfWidth, y + halfHeight, halfWidth, halfHeight)};
    const int step = std::max(captionStep, 1);
    const int stepsPerRound = std::min(halfWidth, halfHeight) / step;
    for (int k = 0; static_cast<int>(places.size()) < count; ++k) {
        if (k == stepsPerRound)
            k = 0;
        places.emplace_back(x + step * k + step, y + step * k + step, halfWidth, halfHeight);
    }
    return places;
}
