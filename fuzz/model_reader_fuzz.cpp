// libFuzzer entry: the input is read as an OBJ file and, separately, as an MTL
// library; the model is then prepared and walked in each normal mode as
// draw() would walk it, with a sink that only counts. A material library the
// input names is looked up in the working directory: run it in an empty one.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string_view>

#include "model/mtl_reader.h"
#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "model/send_triangles.h"

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

}  // namespace

// Most inputs name libraries that do not exist; their messages would bury the
// fuzzer's own output. Sanitizer reports do not go through std::cerr.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ObjModel model;
    loadObjText(text, "fuzz.obj", model);
    model.scale(0.115f);
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
    return 0;
}
