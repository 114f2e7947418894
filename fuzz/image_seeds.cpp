// Writes the image fuzzers' seed files: small PNGs of every colour type, bit
// depth and interlacing, with and without transparency, and small JPEGs of
// every coding and colour space, into DIR/png and DIR/jpeg.
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>

#include "image_writer.h"

using namespace test_images;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: image_seeds DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir / "png");
    std::filesystem::create_directories(dir / "jpeg");
    int count = 0;
    struct Form {
        int colourType, depth;
    };
    const Form forms[] = {{kGrey, 1},       {kGrey, 2},    {kGrey, 4},    {kGrey, 8},
                          {kGrey, 16},      {kRgb, 8},     {kRgb, 16},    {kPalette, 1},
                          {kPalette, 2},    {kPalette, 4}, {kPalette, 8}, {kGreyAlpha, 8},
                          {kGreyAlpha, 16}, {kRgba, 8},    {kRgba, 16}};
    for (const Form& f : forms) {
        for (int variant = 0; variant < 2; ++variant) {
            PngSpec spec;
            spec.width = 7;
            spec.height = 5;
            spec.colourType = f.colourType;
            spec.bitDepth = f.depth;
            spec.interlaced = variant == 1;
            const int samples = f.colourType == kRgb         ? 3
                                : f.colourType == kGreyAlpha ? 2
                                : f.colourType == kRgba      ? 4
                                                             : 1;
            const unsigned top = (1u << f.depth) - 1;
            for (int i = 0; i < spec.width * spec.height * samples; ++i)
                spec.samples.push_back(
                    static_cast<std::uint16_t>((i * 2654435761u >> 7) % (top + 1)));
            if (f.colourType == kPalette) {
                for (unsigned c = 0; c <= top; ++c)
                    spec.palette.push_back({std::uint8_t(c * 40), std::uint8_t(255 - c), 7});
                if (variant == 1) spec.paletteAlpha = {0, 128};
            } else if ((f.colourType == kGrey || f.colourType == kRgb) && variant == 1) {
                spec.hasTransparentColour = true;
                spec.transparentColour = {1, 2, 3};
            }
            writeFile((dir / "png" / ("seed" + std::to_string(count++) + ".png")).string(),
                      writePng(spec));
        }
    }
    struct Coding {
        JpegKind kind;
        bool progressive, subsample, arithmetic;
        int restart;
    };
    const Coding codings[] = {
        {JpegKind::Colour, false, false, false, 0}, {JpegKind::Colour, false, true, false, 1},
        {JpegKind::Colour, true, true, false, 0},   {JpegKind::Colour, true, false, true, 2},
        {JpegKind::Colour, false, false, true, 0},  {JpegKind::Grey, false, false, false, 0},
        {JpegKind::Grey, true, false, false, 0},    {JpegKind::Cmyk, false, false, false, 0},
        {JpegKind::Cmyk, true, false, false, 0},    {JpegKind::Ycck, false, false, false, 0}};
    for (const Coding& c : codings) {
        JpegSpec spec;
        spec.width = 19;
        spec.height = 11;
        spec.kind = c.kind;
        spec.progressive = c.progressive;
        spec.subsampleChroma = c.subsample;
        spec.arithmetic = c.arithmetic;
        spec.restartInterval = c.restart;
        spec.quality = 75;
        const int channels = c.kind == JpegKind::Grey ? 1 : c.kind == JpegKind::Colour ? 3 : 4;
        spec.samples = gradient(spec.width, spec.height, channels);
        writeFile((dir / "jpeg" / ("seed" + std::to_string(count++) + ".jpg")).string(),
                  writeJpeg(spec));
    }
    // Images of 256 × 256 and more, which the texture step makes band by
    // band while they are decoded: grey, RGB and RGBA PNGs (one interlaced)
    // and colour and grey JPEGs, small enough as files for the fuzzers.
    struct Large {
        int width, height, channels;
        bool interlaced;
    };
    const Large larges[] = {{256, 256, 1, false}, {256, 256, 3, false}, {256, 256, 4, true}};
    for (const Large& l : larges) {
        PngSpec spec;
        spec.width = l.width;
        spec.height = l.height;
        spec.colourType = l.channels == 1 ? kGrey : l.channels == 3 ? kRgb : kRgba;
        spec.interlaced = l.interlaced;
        for (int i = 0; i < l.width * l.height * l.channels; ++i)
            spec.samples.push_back(
                static_cast<std::uint16_t>((i / l.channels % l.width) / 16 * 16));
        writeFile((dir / "png" / ("seed" + std::to_string(count++) + ".png")).string(),
                  writePng(spec));
    }
    for (const JpegKind kind : {JpegKind::Colour, JpegKind::Grey}) {
        JpegSpec spec;
        spec.width = 256;
        spec.height = 256;
        spec.kind = kind;
        spec.quality = 30;
        spec.subsampleChroma = true;
        spec.samples = gradient(spec.width, spec.height, kind == JpegKind::Grey ? 1 : 3);
        writeFile((dir / "jpeg" / ("seed" + std::to_string(count++) + ".jpg")).string(),
                  writeJpeg(spec));
    }
    return 0;
}
