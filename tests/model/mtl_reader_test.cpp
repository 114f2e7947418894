// The MTL reader and the material handler, fed libraries named by a small OBJ
// file: keywords by first character, defaults, texture files.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "temp_dir.h"

namespace {

using Colour = std::array<float, 4>;

class MtlReaderTest : public testing::Test {
  protected:
    ObjModel& loadLibrary(const std::string& text) {
        dir.write("lib.mtl", text);
        loadObjModel(dir.write("model.obj", "mtllib lib.mtl\n"), model);
        return model;
    }
    const Material& material(const std::string& name) const { return model.materials.at(name); }

    TempDir dir;
    ObjModel model;
};

}  // namespace

TEST_F(MtlReaderTest, KeywordsAndDefaults) {
    loadLibrary(
        "# stones\n"
        "newmtl granite\n"
        "Ns 96.078431\nKa 0.1 0.2 0.3\nKd 0.64 0.5 0.4\nKs 0.5 0.5 0.5\n"
        "Ke 9 9 9\nNi 1.5\nd 1.0\nTr 0\nillum 2\n"
        "newmtl bare\n");
    ASSERT_EQ(model.materials.size(), 2u);
    const Material& g = material("granite");
    EXPECT_EQ(g.Ns, 96.078431f);
    EXPECT_EQ(g.Ka, (Colour{0.1f, 0.2f, 0.3f, 1.0f}));
    EXPECT_EQ(g.Kd, (Colour{0.64f, 0.5f, 0.4f, 1.0f}));
    EXPECT_EQ(g.Ks, (Colour{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(g.illum, 2.0f);
    const Material& bare = material("bare");
    EXPECT_EQ(bare.Kd, (Colour{0.2f, 0.2f, 0.2f, 1.0f}));  // 0.2 diffuse, 0.8 ambient
    EXPECT_EQ(bare.Ka, (Colour{0.8f, 0.8f, 0.8f, 1.0f}));
    EXPECT_EQ(bare.Ks, (Colour{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(bare.Ns, 0.0f);
    EXPECT_EQ(bare.illum, 0.0f);
    EXPECT_TRUE(bare.ambientMap.empty() && bare.diffuseMap.empty());
    EXPECT_TRUE(model.textures.empty());
}

TEST_F(MtlReaderTest, OnlyTheFirstCharacterDecides) {
    loadLibrary(
        "Kd 1 1 1\n"  // before any n keyword: a material named "Kd"
        "newmtl a\n"
        "kd 0.5 0.5 0.5\n"  // k is not K: skipped
        "KD 0.5 0.5 0.5\n"  // read as a K keyword, matched by nothing
        "Kd 1 1\nNs 5\n"    // values are words: Kd takes "Ns"
        "nonsense b\n"      // any n keyword starts a material
        "Kd x 0.5 y\n"
        "newmtl c\nKe 1 2 Kd");  // a Kd at the end, cut off from its values
    ASSERT_EQ(model.materials.size(), 4u);
    EXPECT_EQ(material("Kd").Kd, (Colour{0.2f, 0.2f, 0.2f, 1.0f}));
    EXPECT_EQ(material("a").Kd, (Colour{1.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(material("a").Ns, 0.0f);
    EXPECT_EQ(material("b").Kd, (Colour{0.0f, 0.5f, 0.0f, 1.0f}));  // non-numbers read as 0
    EXPECT_EQ(material("c").Kd, (Colour{0.0f, 0.0f, 0.0f, 1.0f}));
}

TEST_F(MtlReaderTest, TextureFilesAreListedOnceByName) {
    loadLibrary(
        "newmtl a\nmap_Kd -s 1 1 1 -o 0 0 0 lichen.png\nmap_Ka shade.png\n"
        "newmtl b\nmap_Kd lichen.png\nmap_Bump bump.png\nbump ignored.png\n"
        "newmtl c\nmap_Kd\n");
    EXPECT_EQ(material("a").diffuseMap, "lichen.png");  // the last word of the line
    EXPECT_EQ(material("a").ambientMap, "shade.png");
    EXPECT_EQ(material("b").diffuseMap, "bump.png");  // every other map_ keyword
    EXPECT_EQ(material("c").diffuseMap, "");
    ASSERT_EQ(model.textures.size(), 4u);
    for (const char* name : {"", "bump.png", "lichen.png", "shade.png"}) {
        ASSERT_EQ(model.textures.count(name), 1u) << name;
        EXPECT_EQ(model.textures.at(name).fileName, name);
        EXPECT_EQ(model.textures.at(name).directory, "");
        EXPECT_EQ(model.textures.at(name).textureId, 0u);
    }
}

TEST_F(MtlReaderTest, LaterLibrariesReplaceMaterialsOfTheSameName) {
    dir.write("one.mtl", "newmtl stone\nNs 1\nnewmtl moss\nNs 2\n");
    dir.write("two.mtl", "newmtl stone\nNs 3\n");
    loadObjModel(dir.write("model.obj", "mtllib one.mtl\nmtllib two.mtl\n"), model);
    EXPECT_EQ(material("stone").Ns, 3.0f);
    EXPECT_EQ(material("moss").Ns, 2.0f);

    // Empty and unterminated libraries.
    loadLibrary("");
    EXPECT_TRUE(model.materials.empty());
    loadLibrary("newmtl end\nKa 0.5 0.5 0.5");
    EXPECT_EQ(material("end").Ka, (Colour{0.5f, 0.5f, 0.5f, 1.0f}));
}
