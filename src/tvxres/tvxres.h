#pragma once

// The resource library tvxres.dll, which lies beside the program and hands out its pictures by
// number. The program loads it at start and cannot run without it.

#include <cstddef>

// The pictures' numbers.
enum : int { TvxResWorldMap = 100, TvxResEuropeMap = 101, TvxResSplash = 102 };

// The name of the function the library exports, and its type: the PNG bytes of picture `id` at
// `scale` 1 (as laid out) or 2 (for high-density screens); false for an unknown picture.
constexpr const char* TvxResPictureFunction = "TvxResPicture";
using TTvxResPicture = bool (*)(int id, int scale, const unsigned char** data, std::size_t* size);
