#pragma once

#include "diagram/diagram_drawing.h"
#include "diagram/emf_surface.h"

#include <string>

// The output rendering of a picture as an enhanced metafile, framed by its size in 1/100 mm and
// recorded for the reference device: the bytes a file or the clipboard takes.
std::string DiagramEmf(const TTvxConfig& settings, const TDiagramContent& content,
                       const TDeviceCaps& reference = TEmfSurface::TrueSizeDevice());
