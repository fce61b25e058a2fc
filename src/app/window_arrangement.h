#pragma once

#include <QRect>
#include <vector>

// Where the diagram windows go on the work area, in the order they were opened: one window takes
// the whole area, two share it one above the other, three put one above two, four make a grid
// of two by two, and every further one is cascaded over the grid by the caption step, starting
// again once the steps would leave a quarter of the area. With alwaysMaximize every window takes
// the whole area.
std::vector<QRect> ArrangeDiagramWindows(int count, const QRect& workArea, int captionStep,
                                         bool alwaysMaximize);
