#pragma once

#include <string>

#include "support/LibraryBytes.h"

// clang-format off

// Library "Vorschau" with resource path gfx/: texture 0 rot.png, texture 1 blau.png (both
// 16 x 16); button Start with two areas on rot.png, button Ende with one on blau.png.
inline std::string previewLibraryBytes() {
    return LibraryBytes()
        .header(3, 1000, "Vorschau", "gfx/")
        .u32(2)
        .i32(0).text("rot.png").i32(0).i32(0).i32(2).i32(1)
        .i32(1).text("blau.png").i32(0).i32(0).i32(2).i32(1)
        .u32(2)
        .i32(0).i32(1000).text("Start").u32(2)
            .f32(0).f32(0).f32(8).f32(8).f32(0).f32(0).f32(1).f32(1).i32(0)
            .f32(8).f32(0).f32(16).f32(8).f32(8).f32(0).f32(1).f32(1).i32(0)
        .i32(0).i32(1001).text("Ende").u32(1)
            .f32(0).f32(0).f32(4).f32(4).f32(2).f32(1).f32(1).f32(1).i32(1)
        .str();
}

// clang-format on
