// libFuzzer entry: the input is read as an OBJ file and, separately, as an MTL
// library, each twice: from memory as one text, and from a file in blocks of a
// few bytes, so that words and lines straddle refills all the time. The two
// models must hold the same records; a difference is reported and aborts. The
// model read from memory is then prepared and walked in each normal mode as
// draw() would walk it, with a sink that only counts.
//
// The files live in a private temporary directory: the input as "fuzz.obj"
// and again as "fuzz.mtl", so an input that names that library reads itself
// as one; no other library is found.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "model/mtl_reader.h"
#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "model/send_triangles.h"
#include "model/text_stream.h"
#include "scene/scene_numbers.h"
#include "tests/model/same_model.h"

namespace {

struct CountingSink {
    size_t calls = 0;
    float checksum = 0.0f;
    void beginGroup() { ++calls; }
    void endGroup() { ++calls; }
    void texCoord(float s, float t) { checksum += s + t; }
    void normal(const Vector3& n) { checksum += static_cast<float>(n.x + n.y + n.z); }
    void vertex(const Vector3& v) {
        ++calls;
        checksum += static_cast<float>(v.x);
    }
};

std::string directory;  // ends in "/"

void removeDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

void writeFile(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::perror(path.c_str());
        std::abort();
    }
    close(fd);
}

void expectSame(const char* what, const ObjModel& whole, const ObjModel& blocks, size_t bytes) {
    const std::string difference = modelDifference(whole, blocks);
    if (difference.empty()) return;
    std::fprintf(stderr, "%s read as one text and in %zu-byte blocks differ: %s\n", what, bytes,
                 difference.c_str());
    std::abort();
}

}  // namespace

// Most inputs name libraries that do not exist; their messages would bury the
// fuzzer's own output. Sanitizer reports do not go through std::cerr.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cerr.rdbuf(nullptr);
    struct stat status;
    const bool shm = stat("/dev/shm", &status) == 0 && S_ISDIR(status.st_mode);
    std::string pattern =
        (shm ? std::string("/dev/shm") : std::filesystem::temp_directory_path().string()) +
        "/velmora_fuzz_XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror(pattern.c_str());
        std::abort();
    }
    directory = pattern + "/";
    std::atexit(removeDirectory);
    writeFile(directory + "library.obj", "mtllib fuzz.mtl\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string objPath = directory + "fuzz.obj";
    writeFile(objPath, text);
    writeFile(directory + "fuzz.mtl", text);
    const size_t bytes = 1 + size % 7;  // the block size varies from input to input

    // Each read starts in no group, as the groups carry over between reads.
    ObjModel model;
    forgetCurrentGroups();
    loadObjText(text, objPath, model);
    {
        ObjModel blocks;
        TextStream::setFileBlockSize(bytes);
        forgetCurrentGroups();
        loadObjModel(objPath, blocks);
        TextStream::setFileBlockSize(0);
        expectSame("OBJ", model, blocks, bytes);
    }

    model.scale(scene::kModelScale);
    model.computeBounds();
    model.moveCentreToOrigin();
    model.computeBounds();
    for (int mode : {0, 1, 2, 0}) {
        model.normalMode = mode;
        CountingSink sink;
        sendTriangles(model, sink);
    }

    ObjModel library;
    loadMtlText(text, library);
    ObjModel libraryBlocks;
    TextStream::setFileBlockSize(bytes);
    loadObjModel(directory + "library.obj", libraryBlocks);
    TextStream::setFileBlockSize(0);
    expectSame("MTL", library, libraryBlocks, bytes);
    return 0;
}
