#pragma once

#include <Qt>

// The window frame of the program's dialogs and message boxes: a caption with a close button,
// nothing to minimise or maximise.
inline constexpr Qt::WindowFlags DialogFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
