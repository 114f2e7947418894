// Names of things that are not files are not read: a pipe (which would
// block) and a device (which would never end). Built where the file system
// has them (not on Windows).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "temp_dir.h"

TEST(ObjReaderSpecialFiles, PipesAndDevicesAreNotRead) {
    TempDir dir;
    ObjModel model;
    ASSERT_EQ(mkfifo((dir.path() + "pipe.mtl").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", (dir.path() + "zero.mtl").c_str()), 0);
    testing::internal::CaptureStderr();
    loadObjModel(dir.write("model.obj", "mtllib pipe.mtl zero.mtl\nv 0 0 0\n"), model);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "couldn't open material file: " + dir.path() + "pipe.mtl\n" +
                  "couldn't open material file: " + dir.path() + "zero.mtl\n");
    EXPECT_EQ(model.vertexCount, 1);
}
