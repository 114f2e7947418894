#include "tools/generate.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "tools/model_file.h"
#include "tools/screens.h"
#include "tools/sky.h"
#include "tools/stone_circle.h"
#include "tools/terrain.h"
#include "tools/textures.h"

namespace assets {
namespace {

bool makeDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directory(path, error);  // no error when it is there already
    if (!error) return true;
    std::fprintf(stderr, "velmora_assets: cannot create the directory %s\n", path.c_str());
    return false;
}

class Stopwatch {
  public:
    explicit Stopwatch(bool verbose) : verbose_(verbose) {}
    void lap(const char* what) {
        const auto now = std::chrono::steady_clock::now();
        if (verbose_)
            std::printf("  %-28s %7.0f ms\n", what,
                        std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }

  private:
    bool verbose_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace

std::vector<std::string> generatedFiles() {
    std::vector<std::string> files{kObjFile,        kMtlFile,     kSarsenTexture, kBluestoneTexture,
                                   "heightmap.png", "ground.png", "stone.png",    "intro1.png",
                                   "help.png",      "outro1.png"};
    for (const char* set : {"cloudy", "sunset"})
        for (int n = 0; n < 5; ++n)
            files.push_back(std::string(set) + "/" + std::to_string(n) + ".jpg");
    return files;
}

bool generateAll(const GenerateOptions& o) {
    const std::string dir = o.outputDirectory + "/";
    bool ok = makeDirectory(o.outputDirectory) && makeDirectory(dir + "cloudy") &&
              makeDirectory(dir + "sunset");
    if (!ok) return false;
    Stopwatch watch(o.verbose);

    const Heightmap map = makeHeightmap();
    ok &= writePng(dir + "heightmap.png", heightmapImage(map));
    watch.lap("heightmap.png");

    // The stones stand on the terrain as the program builds it.
    const GroundFunction ground = [&map](double siteX, double siteZ) {
        const ScenePoint p = siteToScene(siteX, siteZ);
        return map.heightAt(p.x, p.z);
    };
    const StoneModel model = buildStoneCircle(ground);
    ok &= writeObj(dir + kObjFile, model);
    ok &= writeMtl(dir + kMtlFile);
    watch.lap("sthenge3.obj, .mtl");

    ok &= writePng(dir + "ground.png", makeGroundTexture(kGroundSize, footprints(model, ground)));
    watch.lap("ground.png");

    ok &= writePng(dir + "stone.png", makeStoneTexture(kStoneSize, Rock::Sarsen));
    ok &= writePng(dir + kSarsenTexture, makeStoneTexture(kMaterialTextureSize, Rock::Sarsen));
    ok &=
        writePng(dir + kBluestoneTexture, makeStoneTexture(kMaterialTextureSize, Rock::Bluestone));
    watch.lap("stone.png, material textures");

    for (int face = 0; face < 5; ++face) {
        const std::string name = std::to_string(face) + ".jpg";
        ok &= writeJpeg(dir + "cloudy/" + name, makeSkyFace(SkyTime::Day, face, kSkySize),
                        kSkyJpegQuality);
        ok &= writeJpeg(dir + "sunset/" + name, makeSkyFace(SkyTime::Twilight, face, kSkySize),
                        kSkyJpegQuality);
    }
    watch.lap("cloudy/, sunset/");

    Fonts fonts;
    ok &= fonts.load(o.fontDirectory);
    ok &= writePng(dir + "intro1.png", makeIntro(fonts));
    ok &= writePng(dir + "help.png", makeHelp(fonts));
    ok &= writePng(dir + "outro1.png", makeOutro(fonts));
    watch.lap("intro1.png, help.png, outro1.png");

    if (o.verbose) {
        const Vec3 lo = model.boundsMin, hi = model.boundsMax;
        std::printf(
            "model: %zu stones, %zu triangles; box x %.2f..%.2f y %.2f..%.2f z %.2f..%.2f m\n",
            model.meshes.size(), triangleCount(model), lo.x, hi.x, lo.y, hi.y, lo.z, hi.z);
    }
    return ok;
}

}  // namespace assets
