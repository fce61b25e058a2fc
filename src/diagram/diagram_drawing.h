#pragma once

#include "config/tvx_config.h"
#include "diagram/diagram_layout.h"
#include "diagram/drawing_surface.h"

// How one picture is rendered.
struct TDiagramRendering {
    const TTvxConfig* Settings;
    // Output rendering (print, copy, file) draws dots as small squares and fills finely; screen
    // rendering sets single pixels and fills in coarser steps.
    bool ForOutput;
    bool Color;
    // 1 on screen; for output 1 at the large and 2 at the small size.
    int ScaleDivisor;

    // The screen's rendering: always in colour, full size.
    static TDiagramRendering Screen(const TTvxConfig& settings);
    // Print, copy and file: colour and size as the settings say.
    static TDiagramRendering Output(const TTvxConfig& settings);
};

// What a picture shows: one station, or a station with a comparison station drawn below it and
// possibly its curves overlaid on the upper diagram.
struct TDiagramContent {
    const TDiagramData* Station = nullptr;
    // The grid intervals below zero of each station's own window.
    int NegativeSteps = 1;
    const TDiagramData* Comparison = nullptr;
    int CompareNegativeSteps = 0;
    bool ShowOverlay = false;
    // Every diagram from -20 °C.
    bool ZeroAxisFixed = false;

    bool Comparing() const { return Comparison != nullptr; }
};

// Draws the whole picture onto the surface, whose device the mapping is computed for: the
// station's diagram at the origin, and when comparing the comparison diagram below it and, when
// asked, the comparison station's curves in the upper diagram.
void DrawPicture(TDrawingSurface& surface, const TDiagramRendering& rendering,
                 const TDiagramContent& content);
