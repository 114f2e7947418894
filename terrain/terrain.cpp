// Reading "heightmap.png" into the mesh: decoded pixels only, no GL, so this
// runs before any window or GL context exists.
#include "terrain/terrain.h"

#include <iostream>
#include <memory>

#include "image/image_loader.h"

namespace {

constexpr const char* kHeightmapFile = "heightmap.png";

}  // namespace

Terrain::Terrain(unsigned columns_, unsigned rows_) {
    build(columns_, rows_);
}

void Terrain::build(unsigned columns_, unsigned rows_) {
    // A file that cannot be decoded is named on standard error by the loader.
    const ImageResult decoded =
        programImages().load(kHeightmapFile, ImageLimits{}, "the ground is flat");
    const DecodedImage& image = decoded.image;
    // The decoded buffer holds width × height × channels bytes, one per
    // channel; the grid reads one byte per point from it, never past its end.
    const std::size_t byteCount = decoded.ok() ? image.byteCount() : 0;
    const std::size_t needed = static_cast<std::size_t>(columns_) * rows_;
    if (decoded.ok() && byteCount < needed) {
        std::cerr << kHeightmapFile << ": " << byteCount << " bytes of pixels (" << image.width
                  << " x " << image.height << " x " << image.channels << "), fewer than the "
                  << needed << " a " << columns_ << " x " << rows_
                  << " ground needs; the ground is flat\n";
    }
    buildFromPixels(image.pixels.get(), byteCount, columns_, rows_);
}
