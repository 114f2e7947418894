// main() of the OpenGL test binaries: runs the tests, then tears the test
// window down before returning, so that no llvmpipe context is alive when
// static destructors run.
#include <gtest/gtest.h>

#include "tests/support/gl_window.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    test_gl::destroyContext();
    return result;
}
