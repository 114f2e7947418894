// Short of memory is bad input too: every allocation of loading a large
// image is made to fail in turn, the 1st, the 2nd, … until a load needs no
// more, through each way a texture is made (decoded here and made into
// levels, made ahead on the worker, made as it is decoded on this thread,
// pixels alone). Each time the program must go on, either with the texture
// or with one line naming the file and saying memory ran short, and leave
// no large buffer behind. Global operator new is replaced here: libpng's and
// libjpeg's own mallocs and the driver's are not failed.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "image/image_loader.h"
#include "image/texture_ahead.h"
#include "image/texture_flags.h"
#include "image/texture_gl.h"
#include "image_writer.h"
#include "overlay/overlay_screens.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_files.h"

namespace {

// The injector: while armed, allocation number failAt (counted from 1 over
// every thread) fails, and large blocks taken are counted until freed.
std::atomic<bool> armed{false};
std::atomic<long> allocations{0};
std::atomic<long> failAt{0};
std::atomic<long> failedOnThisThread{0};
std::atomic<long> failedElsewhere{0};
std::atomic<long> largeLive{0};
std::atomic<long> offThisThread{0};     // allocations made on other threads
std::atomic<bool> failOnlyHere{false};  // count this thread's allocations alone
std::thread::id testThread;

constexpr std::size_t kHeader = 16;  // keeps the block's alignment
constexpr std::size_t kLarge = 4096;

struct Header {
    std::size_t size;
    bool counted;
};

void* allocate(std::size_t size) noexcept {
    bool counted = false;
    if (armed.load(std::memory_order_relaxed)) {
        const bool here = std::this_thread::get_id() == testThread;
        if (!here) ++offThisThread;
        if ((here || !failOnlyHere) && allocations.fetch_add(1) + 1 == failAt.load()) {
            ++(here ? failedOnThisThread : failedElsewhere);
            return nullptr;
        }
        counted = size >= kLarge;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) return nullptr;
    *reinterpret_cast<Header*>(block) = Header{size, counted};
    if (counted) ++largeLive;
    return block + kHeader;
}

void release(void* p) noexcept {
    if (p == nullptr) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    if (reinterpret_cast<Header*>(block)->counted) --largeLive;
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}

namespace {

namespace fs = std::filesystem;

enum class Way { DecodedHere, AheadOnTheWorker, AheadOnThisThread, PixelsAhead };

struct Case {
    const char* id;  // the test's name
    const char* name;
    Way way;
    const char* image;  // file in the scratch directory
};

// One load of path the way given: the texture's name (or, for pixels, 1
// when it has them), 0 when it failed.
// Made before any allocation is failed.
const std::string consequence = "the test goes on without it";

// What start-up would name ahead, made before any allocation is failed.
struct Named {
    std::vector<TextureRequest> one;
    std::vector<TextureRequest> busyFirst;
    std::vector<std::string> pixels;
};

unsigned int load(Way way, const std::string& path, const std::string& busy, const Named& named) {
    switch (way) {
        case Way::DecodedHere:
            return loadImageTexture(path, kSceneTextureFlags, consequence);
        case Way::AheadOnTheWorker: {
            // Taken only once the worker has begun it (its first allocation
            // off this thread), unless it could not be queued or started.
            programTexturesAhead().request(named.one);
            for (int i = 0; i < 100 && offThisThread == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return loadImageTexture(path, kSceneTextureFlags, consequence);
        }
        case Way::AheadOnThisThread: {
            // The worker is kept busy with another image, so this one is
            // still queued when it is taken, and made here; only this
            // thread's allocations fail.
            failOnlyHere = true;
            programTexturesAhead().request(named.busyFirst);
            const unsigned int name = loadImageTexture(path, kSceneTextureFlags, consequence);
            armed = false;
            failOnlyHere = false;
            const unsigned int other = loadImageTexture(busy, kIntroTextureFlags, consequence);
            glDeleteTextures(1, &other);
            return name;
        }
        case Way::PixelsAhead: {
            // The overlay's help and outro screens: a texture of no size
            // when the pixels failed.
            programTexturesAhead().requestPixels(named.pixels);
            unsigned int name = uploadScreenImage(path.c_str());
            GLint width = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
            if (width == 0) glDeleteTextures(1, &name);
            return width == 0 ? 0 : name;
        }
    }
    return 0;
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class TextureShortOfMemory : public ::testing::TestWithParam<Case> {};

TEST_P(TextureShortOfMemory, EachFailedAllocationIsOneLineAndTheProgramGoesOn) {
    const Case& c = GetParam();
    testThread = std::this_thread::get_id();
    // Made at start, as the program makes them, before any allocation fails.
    test_gl::ensureContext();
    programTexturesAhead();
    programImages();
    const std::string dir = test_files::makeTemporaryDirectory("velmora_oom_");
    // 1024 × 1024: large enough for the block thread, the bands' mipmaps
    // and the row passes' helper threads; 1000 × 1000 is scaled up first.
    for (const int side : {1024, 1000}) {
        test_images::writeFile(
            dir + "/" + std::to_string(side) + ".png",
            test_images::writePng8(side, side, 3, test_images::gradient(side, side, 3)));
    }
    const std::string busy = dir + "/busy.png";
    fs::copy_file(dir + "/1024.png", busy);

    long walked = 0;
    for (long n = 1;; ++n) {
        // A name of its own each time: a file that failed is not read again.
        const std::string path = dir + "/try" + std::to_string(n) + ".png";
        fs::create_symlink(dir + "/" + c.image, path);
        const Named named = {{{path, kSceneTextureFlags}},
                             {{busy, kIntroTextureFlags}, {path, kSceneTextureFlags}},
                             {path}};
        failedOnThisThread = 0;
        failedElsewhere = 0;
        testing::internal::CaptureStderr();
        allocations = 0;
        failAt = n;
        largeLive = 0;
        offThisThread = 0;
        armed = true;
        const unsigned int loaded = load(c.way, path, busy, named);
        armed = false;
        glDeleteTextures(1, &loaded);
        const std::string said = testing::internal::GetCapturedStderr();
        const bool failed = failedOnThisThread + failedElsewhere > 0;
        if (!failed) break;  // the load needed fewer than n allocations
        ++walked;
        EXPECT_EQ(largeLive, 0) << "allocation " << n << " left a large block behind";
        if (loaded != 0) {
            // The failure was one the step works around (a thread not started).
            EXPECT_EQ(said, "") << "allocation " << n;
        } else {
            EXPECT_EQ(said.rfind(path + ": ", 0), 0u) << "allocation " << n << ": " << said;
            EXPECT_NE(said.find("not enough memory"), std::string::npos) << said;
            EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
        }
        ASSERT_LT(n, 5000) << "no end to the allocations";
    }
    std::cout << c.name << ": " << walked << " allocation points walked" << std::endl;
#if defined(__SANITIZE_ADDRESS__)
    // Checked here, while the driver is loaded and its own memory reachable
    // (scripts/test turns the check at exit off): whatever is left is ours.
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "LeakSanitizer's report is above";
#endif
    EXPECT_GT(walked, 10);
    fs::remove_all(dir);
}

const Case kCases[] = {
    {"DecodedHere", "decoded and made into levels on this thread", Way::DecodedHere, "1024.png"},
    {"DecodedHereScaledUp", "the same, scaled up to powers of two", Way::DecodedHere, "1000.png"},
    {"AheadOnTheWorker", "made as decoded, on the worker", Way::AheadOnTheWorker, "1024.png"},
    {"AheadOnTheWorkerScaledUp", "made as decoded and scaled up, on the worker",
     Way::AheadOnTheWorker, "1000.png"},
    {"AheadOnThisThread", "made as decoded, on this thread", Way::AheadOnThisThread, "1024.png"},
    {"PixelsAhead", "pixels alone, on the worker", Way::PixelsAhead, "1024.png"},
};

INSTANTIATE_TEST_SUITE_P(Ways, TextureShortOfMemory, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.id);
                         });

}  // namespace
