// The OBJ reader, fed small texts written to temporary files: face forms and
// splitting, negative and zero indices, groups and materials, the
// word-not-line quirks, directory handling, bad input, and files read in
// blocks of any size giving what the whole text gives.
#include "model/obj_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/obj_model.h"
#include "model/text_stream.h"
#include "same_model.h"
#include "temp_dir.h"

namespace {

using Ints = std::vector<int>;

class ObjReaderTest : public testing::Test {
  protected:
    // Writes text as name in the temporary directory and loads it.
    ObjModel& load(const std::string& text, const std::string& name = "model.obj") {
        loadObjModel(dir.write(name, text), model);
        return model;
    }

    // As load, removing the file afterwards: rewriting a large file in place
    // can make the file system flush it first, which takes long.
    ObjModel& loadAndRemove(const std::string& text) {
        const std::string path = dir.write("once.obj", text);
        loadObjModel(path, model);
        std::remove(path.c_str());
        return model;
    }

    const Face& lastFace() const { return model.faces.back(); }

    TempDir dir;
    ObjModel model;
};

const std::string kNineVertices =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0 0\nv 2 1 0\nv 3 0 0\nv 3 1 0\nv 4 0 0\n";
const std::string kNineTexCoords =
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvt 0 0\n";
const std::string kNineNormals =
    "vn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\n";
const std::string kData = kNineVertices + kNineTexCoords + kNineNormals;

}  // namespace

TEST_F(ObjReaderTest, EachFaceFormOnAFirstAndALaterLine) {
    struct Case {
        std::string faces;
        Ints vertices, texCoords, normals;  // of the last face
    };
    const Case cases[] = {
        {"f 1 2 3\nf 4 5 6 7 8\n", {3, 4, 5, 6, 7}, {}, {}},
        {"f 1/1 2/2 3/3 4/4\nf 1/1 2/2 3/3 4/4 5/5\n", {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {}},
        {"f 1//4 2//5 3//6\nf 9//1 8//2 7//3 6//9\n", {8, 7, 6, 5}, {}, {0, 1, 2, 8}},
        {"f 1/7/4 2/8/5 3/9/6\nf 4/1/9 5/2/8 6/3/7 7/4/6\n",
         {3, 4, 5, 6},
         {0, 1, 2, 3},
         {8, 7, 6, 5}},
    };
    for (const Case& c : cases) {
        load(kData + c.faces);
        SCOPED_TRACE(c.faces);
        ASSERT_EQ(model.faceCount, 2);
        EXPECT_EQ(model.faces[0].cornerCount,
                  static_cast<int>(model.faces[0].vertexIndices.size()));
        EXPECT_EQ(lastFace().cornerCount, static_cast<int>(c.vertices.size()));
        EXPECT_EQ(lastFace().vertexIndices, c.vertices);
        EXPECT_EQ(lastFace().texCoordIndices, c.texCoords);
        EXPECT_EQ(lastFace().normalIndices, c.normals);
        EXPECT_TRUE(lastFace().faceNormalIndices.empty());
    }
    load(kData + "f 1//4 2//5 3//6\n");
    EXPECT_EQ(model.triangles.at(0).normalIndices, (Ints{3, 4, 5}));
    load(kData + "f 1/7/4 2/8/5 3/9/6\n");
    EXPECT_EQ(model.triangles.at(0).normalIndices, (Ints{3, 4, 5}));
    EXPECT_EQ(model.triangles.at(0).texCoordIndices, (Ints{6, 7, 8}));
}

TEST_F(ObjReaderTest, FirstFaceLineIsSplitAtSpacesOnly) {
    // Runs of spaces and a CR before the newline are harmless.
    load(kData + "f 1  2   3\r\n");
    EXPECT_EQ(lastFace().vertexIndices, (Ints{0, 1, 2}));

    // Position/texture: each corner runs from the last space to the next slash,
    // so "3 4/5" is one corner whose position token " 3 4" reads as 3.
    load(kData + "f 1/2 3 4/5 6/7\n");
    EXPECT_EQ(lastFace().vertexIndices, (Ints{0, 2, 5}));
    EXPECT_EQ(lastFace().texCoordIndices, (Ints{1, 4, 6}));

    // A tab is no separator on the first line: "2\t3" is one token, two corners
    // are too few, and the face is dropped; a later line reads words.
    load(kData + "f\t1\t2\t3\nf\t4\t5\t6\n");
    ASSERT_EQ(model.faceCount, 1);
    EXPECT_EQ(lastFace().vertexIndices, (Ints{3, 4, 5}));
}

TEST_F(ObjReaderTest, LaterLinesInAnotherFormAreReadByTheFirstForm) {
    // Position form: "1/2" reads as the position 1.
    load(kData + "f 1 2 3\nf 1/2 3/4 5/6\n");
    EXPECT_EQ(lastFace().vertexIndices, (Ints{0, 2, 4}));
    EXPECT_TRUE(lastFace().texCoordIndices.empty());

    // Position//normal: the normal token "/3" of "1/2/3" does not convert.
    load(kData + "f 1//1 2//2 3//3\nf 1/2/3 4/5/6 7/8/9\n");
    EXPECT_EQ(lastFace().vertexIndices, (Ints{0, 3, 6}));
    EXPECT_EQ(lastFace().normalIndices, (Ints{-1, -1, -1}));

    // Regression: a line without the form's slashes took its corners from the
    // lines after it. It is now dropped, and the lines after it are read.
    load(kData + "f 1/1 2/2 3/3\nf 1 2 3\nv 9 9 9\nf 4/4 5/5 6/6\n");
    EXPECT_EQ(model.vertexCount, 10);
    ASSERT_EQ(model.faceCount, 2);
    EXPECT_EQ(lastFace().vertexIndices, (Ints{3, 4, 5}));
    load(kData + "f 1/1/1 2/2/2 3/3/3\nf 1/2 3/4 5/6\nf 4/4/4 5/5/5 6/6/6\n");
    ASSERT_EQ(model.faceCount, 2);
    EXPECT_EQ(lastFace().vertexIndices, (Ints{3, 4, 5}));
}

TEST_F(ObjReaderTest, FacesNeedThreeCompleteCorners) {
    load(kData + "f 1 2\nf\nf 1 2 3\nf 4 5\nv 7 7 7\n");
    ASSERT_EQ(model.faceCount, 1);  // the short lines take nothing from the next line
    EXPECT_EQ(model.vertexCount, 10);
    EXPECT_EQ(lastFace().vertexIndices, (Ints{0, 1, 2}));

    // A trailing incomplete corner is dropped, the complete ones kept.
    load(kData + "f 1/1/1 2/2/2 3/3/3 4/4\nf 1/1/1 2/2/2 3/3/3 4/4/4 5/5\n");
    ASSERT_EQ(model.faceCount, 2);
    EXPECT_EQ(model.faces[0].vertexIndices, (Ints{0, 1, 2}));
    EXPECT_EQ(model.faces[1].vertexIndices, (Ints{0, 1, 2, 3}));
    EXPECT_EQ(model.faces[1].normalIndices, (Ints{0, 1, 2, 3}));

    // A first face line without any corner decides nothing: the next one does.
    load(kData + "f\nf 1/1 2/2 3/3\n");
    ASSERT_EQ(model.faceCount, 1);
    EXPECT_EQ(lastFace().texCoordIndices, (Ints{0, 1, 2}));
}

TEST_F(ObjReaderTest, NegativeIndicesCountBackFromTheirOwnList) {
    load("v 0 0 0\nv 1 0 0\nv 2 0 0\nv 3 0 0\nv 4 0 0\nf -1 -2 -3\n");
    EXPECT_EQ(lastFace().vertexIndices, (Ints{4, 3, 2}));

    load(kNineVertices + "vt 0 0\nvt 1 1\nvn 0 1 0\nvn 1 0 0\nvn 0 0 1\n" +
         "f -1/-1/-1 -2/-2/-2 -3/-1/-3\n");
    EXPECT_EQ(lastFace().vertexIndices, (Ints{8, 7, 6}));
    EXPECT_EQ(lastFace().texCoordIndices, (Ints{1, 0, 1}));
    EXPECT_EQ(lastFace().normalIndices, (Ints{2, 1, 0}));

    // Counted at the moment the face is read, not at the end of the file.
    load("v 0 0 0\nv 1 0 0\nv 2 0 0\nf -1 -2 -3\nv 3 0 0\nf -1 -2 -3\n");
    EXPECT_EQ(model.faces[0].vertexIndices, (Ints{2, 1, 0}));
    EXPECT_EQ(model.faces[1].vertexIndices, (Ints{3, 2, 1}));
}

TEST_F(ObjReaderTest, ZeroOutOfRangeAndUnreadableIndicesAreStoredUnchecked) {
    load("v 0 0 0\nv 1 0 0\nv 2 0 0\nf 0 1 2\nf 1 2 9\nf -9 1 2\nf x 2 3\n");
    ASSERT_EQ(model.faceCount, 4);
    EXPECT_EQ(model.faces[0].vertexIndices, (Ints{-1, 0, 1}));
    EXPECT_EQ(model.faces[1].vertexIndices, (Ints{0, 1, 8}));
    EXPECT_EQ(model.faces[2].vertexIndices, (Ints{-6, 0, 1}));
    EXPECT_EQ(model.faces[3].vertexIndices, (Ints{-1, 1, 2}));  // "x" reads as 0
}

TEST_F(ObjReaderTest, GroupsAndMaterialUse) {
    load(kNineVertices +
         "usemtl early\n"  // no group yet: no effect
         "f 1 2 3\n"       // in no group
         "g b a\nusemtl granite\nf 1 2 3\nf 1 2 3 4\n"
         "g a\nusemtl sarsen\nf 4 5 6\n"
         "group c\n"  // any word beginning with g
         "usemtl moss\nf 7 8 9\n"
         "g\nf 1 2 3\nusemtl ignored\n");
    EXPECT_EQ(model.faceCount, 6);
    ASSERT_EQ(model.groups.size(), 3u);
    std::vector<std::string> names;
    for (const auto& g : model.groups) names.push_back(g.first);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(model.groups.at("a").materialName, "sarsen");  // the last while "a" was current
    EXPECT_EQ(model.groups.at("a").faceIndices, (Ints{1, 2, 3}));
    EXPECT_EQ(model.groups.at("a").triangleIndices, (Ints{1, 2}));
    EXPECT_EQ(model.groups.at("a").quadIndices, (Ints{0}));
    EXPECT_EQ(model.groups.at("b").materialName, "granite");
    EXPECT_EQ(model.groups.at("b").faceIndices, (Ints{1, 2}));
    EXPECT_EQ(model.groups.at("c").materialName, "moss");
    EXPECT_EQ(model.groups.at("c").faceIndices, (Ints{4}));
}

TEST_F(ObjReaderTest, VertexDataIsReadAsWordsNotLines) {
    load("vt 0.5 0.25 0\nv 1 2 3 4\nvp 5 6 7\nvn 0 1 0\n");
    EXPECT_EQ(model.texCoordCount, 1);
    EXPECT_EQ(model.texCoords[0].u, 0.5);
    EXPECT_EQ(model.texCoords[0].v, 0.25);
    ASSERT_EQ(model.vertexCount, 2);  // the extra values were skipped as keywords
    EXPECT_EQ(model.vertices[0], Vector3(1, 2, 3));
    EXPECT_EQ(model.vertices[1], Vector3(5, 6, 7));
    EXPECT_EQ(model.normals.at(0), Vector3(0, 1, 0));

    // A short vertex line takes the next line's keyword as its last value.
    load("v 1 2\nv 3 4 5\nv 1 x 3\n");
    ASSERT_EQ(model.vertexCount, 2);
    EXPECT_EQ(model.vertices[0], Vector3(1, 2, 0));
    EXPECT_EQ(model.vertices[1], Vector3(1, 0, 3));

    // Lines that are not records change nothing.
    load("# a comment v 1 2 3\no stones\ns 1\nl 1 2\ncstype bezier\n\n   \n");
    EXPECT_EQ(model.vertexCount + model.faceCount + static_cast<int>(model.groups.size()), 0);
}

TEST_F(ObjReaderTest, FileNamesDirectoriesAndOpenFailures) {
    // Libraries are looked up beside the OBJ file; one that is missing is
    // reported and the read goes on.
    dir.write("sub/lib.mtl", "newmtl stone\nKd 1 0 0\n");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    load("mtllib missing.mtl lib.mtl\nv 0 0 0\n", "sub/model.obj");
    const std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(stderrText, "couldn't open material file: " + dir.path() + "sub/missing.mtl\n");
    EXPECT_EQ(model.materials.count("stone"), 1u);
    EXPECT_EQ(model.vertexCount, 1);

    // Only names ending in ".obj" are read; another name leaves the model as it is.
    for (const char* name : {"MODEL.OBJ", "model.obj.bak", "model"}) {
        loadObjModel(dir.write(name, "v 1 1 1\nv 2 2 2\n"), model);
        EXPECT_EQ(model.vertexCount, 1) << name;
    }

    testing::internal::CaptureStderr();
    loadObjModel(dir.path() + "absent.obj", model);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "couldn't open object file:" + dir.path() + "absent.obj\n");
    EXPECT_EQ(model.vertexCount, 0);

    // Names of things that are not files are not read: a directory (pipes and
    // devices in special_files_test.cpp).
    dir.write("folder.obj/inside", "");
    testing::internal::CaptureStderr();
    loadObjModel(dir.path() + "folder.obj", model);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "couldn't open object file:" + dir.path() + "folder.obj\n");
}

TEST_F(ObjReaderTest, EmptyUnterminatedAndHugeInput) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    load("");
    EXPECT_EQ(model.vertexCount + model.faceCount, 0);
    load("v 1 2 3\nf 1 1 1");  // no final newline
    EXPECT_EQ(model.vertexCount, 1);
    EXPECT_EQ(model.faceCount, 1);
    load("v 1 2 3\nv 4 5 6");
    EXPECT_EQ(model.vertices.at(1), Vector3(4, 5, 6));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // Lines far longer than the reader's block: a comment, and one face of
    // 200,000 corners on a later line.
    std::string text = "# " + std::string(3000000, 'x') + "\n" + kNineVertices + "f 1 2 3\nf";
    for (int i = 0; i < 200000; ++i) text += ' ' + std::to_string(i % 9 + 1);
    text += "\nv 5 5 5\n";
    load(text);
    ASSERT_EQ(model.polygonCount, 1);
    EXPECT_EQ(model.polygons[0].cornerCount, 200000);
    EXPECT_EQ(model.polygons[0].vertexIndices[199999], 199999 % 9);
    EXPECT_EQ(model.vertexCount, 10);
}

TEST_F(ObjReaderTest, ManyBlocksReadAsOneText) {
    // Several blocks' worth of records with irregular spacing, so that words
    // and lines straddle block ends; every record must arrive intact.
    std::string text;
    const int lines = 150000;
    for (int i = 0; i < lines; ++i) {
        text += "v " + std::to_string(i) + std::string(i % 7, ' ') + " 0.5\t" + std::to_string(-i) +
                (i % 3 == 0 ? "\r\n" : "\n");
    }
    for (int i = 1; i + 2 <= lines; i += 3) {
        text += "f " + std::to_string(i) + ' ' + std::to_string(i + 1) + ' ' +
                std::to_string(i + 2) + '\n';
    }
    load(text);
    ASSERT_EQ(model.vertexCount, lines);
    for (int i = 0; i < lines; ++i) {
        ASSERT_EQ(model.vertices[i], Vector3(i, 0.5, -i)) << i;
    }
    ASSERT_EQ(model.triangleCount, lines / 3);
    EXPECT_EQ(model.triangles.back().vertexIndices, (Ints{lines - 3, lines - 2, lines - 1}));
}

TEST_F(ObjReaderTest, BinaryGarbageKeepsTheModelConsistent) {
    std::string bytes;
    unsigned state = 99;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        const char pick = "fvgmu/ 0123456789-\n\t\r\0"[(state >> 24) % 22];
        bytes += (state & 0x10000) ? pick : static_cast<char>(state >> 8);
    }
    testing::internal::CaptureStderr();  // mtllib lines name libraries that do not exist
    load(bytes);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(model.vertexCount, static_cast<int>(model.vertices.size()));
    EXPECT_EQ(model.faceCount, static_cast<int>(model.faces.size()));
    EXPECT_EQ(model.faceCount, model.triangleCount + model.quadCount + model.polygonCount);
    for (const Face& face : model.faces) {
        EXPECT_GE(face.cornerCount, 3);
        EXPECT_EQ(face.cornerCount, static_cast<int>(face.vertexIndices.size()));
    }
}

namespace {

// Whole comment lines of exactly bytes bytes (at least 128).
std::string commentLines(size_t bytes) {
    const size_t first = bytes % 64 + 64;
    std::string text = "#" + std::string(first - 2, 'c') + "\n";
    const std::string line = "#" + std::string(62, 'c') + "\n";
    while (text.size() < bytes) text += line;
    return text;
}

}  // namespace

// Regression: a vertex-data line with fewer values than its kind reads kept
// views of the words it had read into the read buffer while it read the
// missing ones from the text after it. When that read refilled the buffer,
// the views pointed into freed or overwritten memory, and the record read as
// (0, 0, 0) or took digits of other lines, such as (5, 0, 0).
TEST_F(ObjReaderTest, ShortVertexLineReadFreedMemoryAcrossARefill) {
    enum Kind { position, texCoord, normal };
    struct Case {
        std::string text;  // a whole file: no final newline
        Kind kind;
        Vector3 values;  // of its one record; "#", "s" and "g" do not convert
    };
    const Case cases[] = {
        {"v 1.5 2.5\n# a last line without a newline", position, Vector3(1.5, 2.5, 0)},
        {"vt 0.75\ns a_last_line_without_a_newline_", texCoord, Vector3(0.75, 0, 0)},
        {"vn 0.5 0.5\ng a_last_line_without_a_newline", normal, Vector3(0.5, 0.5, 0)},
    };
    // The same file, or it followed by one more record.
    const std::string tails[] = {"", "\nv 8.5 -3 5\n"};
    const auto check = [this](const Case& c, bool tail) {
        const int positions = (c.kind == position ? 1 : 0) + (tail ? 1 : 0);
        ASSERT_EQ(model.vertexCount, positions);
        if (c.kind == position) {
            EXPECT_EQ(model.vertices[0], c.values);
        }
        if (tail) {
            EXPECT_EQ(model.vertices.back(), Vector3(8.5, -3, 5));
        }
        if (c.kind == normal) {
            ASSERT_EQ(model.normalCount, 1);
            EXPECT_EQ(model.normals[0], c.values);
        }
        if (c.kind == texCoord) {
            ASSERT_EQ(model.texCoordCount, 1);
            EXPECT_EQ(model.texCoords[0].u, c.values.x);
            EXPECT_EQ(model.texCoords[0].v, c.values.y);
        }
        EXPECT_TRUE(model.groups.empty());  // the "g" was a value, not a group line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        load(c.text);
        check(c, false);

        // Each character of the record, and two either side, just past the
        // end of the first block.
        const size_t block = TextStream::kDefaultBlockSize;
        for (bool tail : {false, true}) {
            for (size_t at = 0; at <= c.text.size() + 4; ++at) {
                SCOPED_TRACE(testing::Message() << "first block ends at character "
                                                << static_cast<int>(at) - 2 << ", tail " << tail);
                loadAndRemove(commentLines(block + 2 - at) + c.text + tails[tail]);
                check(c, tail);
            }
        }

        // Blocks of a few bytes, the record starting at every offset in them.
        for (size_t bytes = 1; bytes <= 9; ++bytes) {
            const ScopedFileBlockSize tiny(bytes);
            for (size_t at = 0; at < bytes; ++at) {
                for (bool tail : {false, true}) {
                    SCOPED_TRACE(testing::Message() << bytes << "-byte blocks at " << at);
                    load(std::string(at, '\n') + c.text + tails[tail]);
                    check(c, tail);
                }
            }
        }
    }
}

TEST_F(ObjReaderTest, TinyBlocksGiveTheModelOfTheWholeText) {
    dir.write("lib.mtl",
              "newmtl granite\nKd 0.5 0.25\n0.125 Ns\n7 map_Kd -o 1 1 granite.png\n"
              "newmtl moss\nillum 2\nmap_Ka moss.png");
    const std::string text = kData +
                             "mtllib lib.mtl\n# faces of one form, first and later lines\n"
                             "g stones  outer\nusemtl granite\nf 1/2/3 4/5/6 7/8/9\n"
                             "f 1/1/1 2/2/2 3/3/3 4/4/4 5/5/5\n\tf 2/2/2\t3/3/3  4/4/4\r\n"
                             "v 1e3 -2.5e-2\nvt\n0.5 vn 1 2\n3 4 f 1/1/1 2/2/2 3/3/3\n"
                             "g\nusemtl moss\nf -1/-1/-1 -2/-2/-2 -3/-3/-3 x/y/z\ngroup last\n"
                             "usemtl moss\nf 1/1/1 2/2/2 3/3/3";
    const std::string path = dir.write("model.obj", text);
    ObjModel whole;
    forgetCurrentGroups();
    loadObjText(text, path, whole);
    ASSERT_EQ(whole.faceCount, 5);
    ASSERT_EQ(whole.materials.size(), 2u);
    for (size_t bytes = 1; bytes <= 24; ++bytes) {
        const ScopedFileBlockSize tiny(bytes);
        forgetCurrentGroups();
        loadObjModel(path, model);
        EXPECT_EQ(modelDifference(whole, model), "") << bytes << "-byte blocks";
    }

    // Bytes of every kind, the same each way.
    std::string bytes;
    unsigned state = 7;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1664525u + 1013904223u;
        const char pick = "fvgmu/ 0123456789-.e\n\t\r\0"[(state >> 24) % 24];
        bytes += (state & 0x10000) ? pick : static_cast<char>(state >> 8);
    }
    testing::internal::CaptureStderr();  // mtllib lines name libraries that do not exist
    forgetCurrentGroups();
    loadObjText(bytes, dir.write("bytes.obj", bytes), whole);
    for (size_t size : {1, 2, 3, 5, 8, 13, 4096}) {
        const ScopedFileBlockSize tiny(size);
        forgetCurrentGroups();
        loadObjModel(dir.path() + "bytes.obj", model);
        EXPECT_EQ(modelDifference(whole, model), "") << size << "-byte blocks";
    }
    testing::internal::GetCapturedStderr();
}
