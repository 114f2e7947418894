#include "screenshot/screenshot.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// libpng reports errors by longjmp; the message is kept for the caller.
void pngError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// Encodes into an open file; false with `error` set when libpng or the
// file fails. Kept apart from the file's life so that setjmp's frame holds
// nothing that needs destroying.
bool encode(std::FILE* file, const FramePixels& pixels, std::string& error) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, pngError, pngWarning);
    if (!png) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        if (error.empty()) error = "out of memory";
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width),
                 static_cast<png_uint_32>(pixels.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height; ++y)
        png_write_row(png, pixels.rgb.data() + static_cast<size_t>(y) * pixels.width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePngFile(const std::string& path, const FramePixels& pixels, std::string& error) {
    error.clear();
    if (pixels.width <= 0 || pixels.height <= 0 ||
        pixels.rgb.size() != static_cast<size_t>(pixels.width) * pixels.height * 3) {
        error = "no picture to write (too little memory, or an empty window)";
        return false;
    }
    // Beside the final name, so that the rename stays on one file system.
    const std::string temporary = path + ".part" + std::to_string(getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = encode(file, pixels, error);
    if (std::fflush(file) != 0 && ok) {
        error = std::strerror(errno);  // a full disk shows here at the latest
        ok = false;
    }
    if (std::fclose(file) != 0 && ok) {
        error = std::strerror(errno);
        ok = false;
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temporary, path, ec);
        if (ec) {
            error = ec.message();
            ok = false;
        }
    }
    if (!ok) std::filesystem::remove(temporary, ec);
    return ok;
}

std::string screenshotPath(const std::string& folder, const std::tm& when,
                           const std::function<bool(const std::string&)>& taken) {
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &when);
    const std::string base = folder + "/velmora-" + stamp;
    std::string path = base + ".png";
    for (int n = 2; taken(path); ++n) path = base + "-" + std::to_string(n) + ".png";
    return path;
}

std::string saveScreenshot(const std::string& folder, const FramePixels& pixels,
                           std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot make the folder " + folder + ": " + ec.message();
        return "";
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    const std::string path = screenshotPath(folder, local, [](const std::string& p) {
        std::error_code e;
        return std::filesystem::exists(p, e);
    });
    std::string why;
    if (!writePngFile(path, pixels, why)) {
        error = "cannot write " + path + ": " + why;
        return "";
    }
    return path;
}
