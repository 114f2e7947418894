// Reading "heightmap.png" into the mesh: the image library's raw-pixel loader
// only, so this runs before any window or GL context exists.
#include "terrain/terrain.h"

#include <SOIL/SOIL.h>

#include <iostream>

namespace {

constexpr const char* kHeightmapFile = "heightmap.png";

}  // namespace

Terrain::Terrain(unsigned columns_, unsigned rows_) {
    build(columns_, rows_);
}

void Terrain::build(unsigned columns_, unsigned rows_) {
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels =
        SOIL_load_image(kHeightmapFile, &width, &height, &channels, SOIL_LOAD_AUTO);
    // The decoded buffer holds width × height × channels bytes, one per
    // channel; the grid reads one byte per point from it, never past its end.
    std::size_t byteCount = 0;
    if (pixels != nullptr && width > 0 && height > 0 && channels > 0) {
        byteCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                    static_cast<std::size_t>(channels);
    }
    const std::size_t needed = static_cast<std::size_t>(columns_) * rows_;
    if (pixels == nullptr) {
        std::cerr << kHeightmapFile << ": cannot be read (" << SOIL_last_result()
                  << "); the ground is flat\n";
    } else if (byteCount < needed) {
        std::cerr << kHeightmapFile << ": " << byteCount << " bytes of pixels (" << width << " x "
                  << height << " x " << channels << "), fewer than the " << needed << " a "
                  << columns_ << " x " << rows_ << " ground needs; the ground is flat\n";
    }
    buildFromPixels(pixels, byteCount, columns_, rows_);
    if (pixels != nullptr) SOIL_free_image_data(pixels);
}
