#pragma once

#include "diagram/drawing_surface.h"

#include <array>
#include <cstdint>
#include <string_view>

// The design metrics of the faces the diagram writes with, in font units: what a Windows reader
// of a metafile uses to lay out text in "Arial" and "Courier New".
struct TFaceMetrics {
    std::string_view Face;
    std::int32_t UnitsPerEm;
    std::int32_t WinAscent;
    std::int32_t WinDescent;
    std::int32_t AverageWidth;
    // Advance widths of the Windows-1252 characters from the blank (0x20) on.
    std::array<std::int32_t, 224> Advances;

    static const std::array<TFaceMetrics, 2> Faces;

    // The face's metrics; Arial's for any face but "Courier New", as Windows substitutes.
    static const TFaceMetrics& Of(std::string_view face);
    std::int32_t Advance(unsigned char byte) const {
        return byte < 0x20 ? 0 : Advances[byte - 0x20];
    }
};

// A font's metrics and text widths at its size, in the logical units it was described in.
class TFontLayout {
public:
    explicit TFontLayout(const TFontDescription& font);

    TTextMetrics Metrics() const;
    // The advance of each character, rounded, as the glyph positions of the text.
    std::int32_t Advance(unsigned char byte) const;

private:
    const TFaceMetrics& Face;
    double EmHeight;
    // The horizontal scale of a font of given width against the face's natural width.
    double WidthScale;
};
