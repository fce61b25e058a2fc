#include "diagram/diagram_emf.h"

#include "diagram/diagram_layout.h"

std::string DiagramEmf(const TTvxConfig& settings, const TDiagramContent& content,
                       const TDeviceCaps& reference) {
    const TDiagramRendering rendering = TDiagramRendering::Output(settings);
    TEmfSurface surface(
        TDiagramLayout(settings, rendering.ScaleDivisor).PictureSize(content.Comparing()),
        reference);
    DrawPicture(surface, rendering, content);
    return surface.Finish();
}
