#include "diagram/face_metrics.h"

#include <cmath>
#include <cstdlib>

const TFaceMetrics& TFaceMetrics::Of(std::string_view face) {
    return face == "Courier New" ? Faces[1] : Faces[0];
}

TFontLayout::TFontLayout(const TFontDescription& font) : Face(TFaceMetrics::Of(font.Face)) {
    // A negative height is the em height; a positive one the whole cell.
    EmHeight = font.Height < 0 ? -font.Height
                               : static_cast<double>(font.Height) * Face.UnitsPerEm /
                                     (Face.WinAscent + Face.WinDescent);
    const double naturalWidth = EmHeight * Face.AverageWidth / Face.UnitsPerEm;
    WidthScale = font.Width > 0 && naturalWidth > 0 ? font.Width / naturalWidth : 1.0;
}

TTextMetrics TFontLayout::Metrics() const {
    const auto scaled = [this](std::int32_t units) {
        return static_cast<std::int32_t>(std::lround(EmHeight * units / Face.UnitsPerEm));
    };
    const std::int32_t ascent = scaled(Face.WinAscent);
    const std::int32_t height = ascent + scaled(Face.WinDescent);
    return {height, ascent, height - static_cast<std::int32_t>(std::lround(EmHeight))};
}

std::int32_t TFontLayout::Advance(unsigned char byte) const {
    return static_cast<std::int32_t>(
        std::lround(Face.Advance(byte) * EmHeight / Face.UnitsPerEm * WidthScale));
}
