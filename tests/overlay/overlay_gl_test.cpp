// uploadScreenImage, load and draw against a real GL context: texels read
// back for every channel count, the overlay on screen, the screen it shows,
// its time-out on a replaced clock, and the state it leaves.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "overlay/overlay_screens.h"
#include "platform/tick.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_files.h"

namespace {

struct Uploaded {
    GLint width = -1;
    GLint height = -1;
    GLint internalFormat = 0;
    std::vector<std::uint8_t> rgba;  // level 0 read back as RGBA, rows from t = 0
};

Uploaded upload(const char* file) {
    const GLuint name = uploadScreenImage(file);
    Uploaded result;
    EXPECT_NE(name, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &result.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &result.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &result.internalFormat);
    result.rgba.resize(static_cast<std::size_t>(result.width) * result.height * 4);
    if (!result.rgba.empty()) {
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, result.rgba.data());
    }
    glDeleteTextures(1, &name);
    return result;
}

std::vector<std::uint8_t> pixelRange(std::size_t count, int seed) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(seed + 37 * i);
    return bytes;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::vector<GLfloat> matrix(GLenum name) {
    std::vector<GLfloat> m(16);
    glGetFloatv(name, m.data());
    return m;
}

std::uint32_t fakeNow = 0;
std::uint32_t fakeTick() {
    return fakeNow;
}

}  // namespace

TEST(OverlayUploadGL, EveryChannelCountAndOddWidthsUploadWhatTheFileHolds) {
    test_gl::ensureContext();
    test_files::ScratchDirectory dir("overlay-upload");
    // Found at 2, and given back at 2, whatever the image needs.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);

    {
        SCOPED_TRACE("RGBA: visible alpha becomes 191, colours kept");
        const std::vector<std::uint8_t> px = {10, 20, 30, 0,   11, 21, 31, 1,
                                              12, 22, 32, 128, 13, 23, 33, 255};
        test_files::write("rgba.png", 2, 2, 4, px);
        const Uploaded t = upload("rgba.png");
        EXPECT_EQ(t.internalFormat, GL_RGBA);
        const std::vector<std::uint8_t> expected = {10, 20, 30, 0,   11, 21, 31, 191,
                                                    12, 22, 32, 191, 13, 23, 33, 191};
        EXPECT_EQ(t.rgba, expected);
    }
    {
        SCOPED_TRACE("RGB, 3 wide: 9-byte rows, pixels unchanged, opaque");
        const std::vector<std::uint8_t> px = pixelRange(3 * 2 * 3, 5);
        test_files::write("rgb.png", 3, 2, 3, px);
        const Uploaded t = upload("rgb.png");
        EXPECT_EQ(t.internalFormat, GL_RGB);
        ASSERT_EQ(t.width, 3);
        ASSERT_EQ(t.height, 2);
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(t.rgba[4 * i + 0], px[3 * i + 0]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 1], px[3 * i + 1]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 2], px[3 * i + 2]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 3], 255) << "pixel " << i;
        }
    }
    {
        SCOPED_TRACE("grey, 5 wide: grey in all three colours, opaque");
        const std::vector<std::uint8_t> px = pixelRange(5 * 3, 9);
        test_files::write("grey.png", 5, 3, 1, px);
        const Uploaded t = upload("grey.png");
        ASSERT_EQ(t.width, 5);
        ASSERT_EQ(t.height, 3);
        for (std::size_t i = 0; i < px.size(); ++i) {
            EXPECT_EQ(t.rgba[4 * i + 0], px[i]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 1], px[i]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 2], px[i]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 3], 255) << "pixel " << i;
        }
    }
    {
        SCOPED_TRACE("grey + alpha, 3 wide: visible alpha 191");
        const std::vector<std::uint8_t> px = {50, 0, 60, 1, 70, 200, 80, 255, 90, 0, 100, 7};
        test_files::write("greyalpha.png", 3, 2, 2, px);
        const Uploaded t = upload("greyalpha.png");
        EXPECT_EQ(t.internalFormat, GL_RGBA);
        const std::uint8_t alpha[6] = {0, 191, 191, 191, 0, 191};
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(t.rgba[4 * i + 0], px[2 * i]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 2], px[2 * i]) << "pixel " << i;
            EXPECT_EQ(t.rgba[4 * i + 3], alpha[i]) << "pixel " << i;
        }
    }
    {
        SCOPED_TRACE("missing: still a texture name, empty level 0");
        const Uploaded t = upload("no-such-image.png");
        EXPECT_EQ(t.width, 0);
        EXPECT_EQ(t.height, 0);
    }
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 2);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

class OverlayGL : public testing::Test {
  protected:
    void SetUp() override {
        test_gl::ensureContext();
        dir_ = std::make_unique<test_files::ScratchDirectory>("overlay-draw");
        // Intro: top half red, bottom half blue, to see which way up it lies.
        std::vector<std::uint8_t> intro;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                if (y < 4)
                    intro.insert(intro.end(), {220, 40, 40});
                else
                    intro.insert(intro.end(), {40, 40, 220});
            }
        }
        test_files::write("intro1.png", 8, 8, 3, intro);
        test_files::write("help.png", 2, 2, 4, std::vector<std::uint8_t>(16, 255));
        test_files::write("outro1.png", 3, 1, 3, std::vector<std::uint8_t>(9, 99));
        setTickSource(fakeTick);
    }
    void TearDown() override {
        setTickSource(nullptr);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        dir_.reset();
    }

    // A frame's matrices and a cleared grey window, lighting off.
    void startFrame() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 1.0, 300.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(50.0, 1.8, 50.0, 51.0, 1.8, 50.0, 0.0, 1.0, 0.0);
        glTranslatef(50.0f, 1.9f, 49.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glDisable(GL_LIGHTING);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glClearColor(0.4f, 0.4f, 0.4f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    std::unique_ptr<test_files::ScratchDirectory> dir_;
};

TEST_F(OverlayGL, IntroLiesUprightOverTheMiddleAt85PercentAndLeavesTheFrameState) {
    OverlayScreens overlay;
    overlay.load();
    for (GLuint texture : overlay.screenTextures) EXPECT_NE(texture, 0u);
    ASSERT_TRUE(glIsList(overlay.displayList));
    overlay.visible = true;

    startFrame();
    glEnable(GL_DEPTH_TEST);
    const std::vector<GLfloat> modelView = matrix(GL_MODELVIEW_MATRIX);
    const std::vector<GLfloat> projection = matrix(GL_PROJECTION_MATRIX);
    fakeNow = 123;
    overlay.draw();

    // 0.85 × texel + 0.15 × grey 102, the texel squeezed into 16..235 by
    // the image loader: red 220 → 204, 40 → 50.
    const test_gl::Pixel top = test_gl::readPixel(32, 48);
    EXPECT_NEAR(top.r, 189, 8);
    EXPECT_NEAR(top.g, 58, 8);
    EXPECT_NEAR(top.b, 58, 8);
    const test_gl::Pixel bottom = test_gl::readPixel(32, 16);
    EXPECT_NEAR(bottom.r, 58, 8);
    EXPECT_NEAR(bottom.b, 189, 8);
    // Outside the middle 90 %: the scene as it was.
    const test_gl::Pixel edge = test_gl::readPixel(0, 32);
    EXPECT_NEAR(edge.r, 102, 1);
    EXPECT_NEAR(edge.b, 102, 1);

    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelView);
    EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), overlay.screenTextures[0]);
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::vector<GLfloat>(colour, colour + 4), (std::vector<GLfloat>{1, 1, 1, 1}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OverlayGL, DrawnUntilMoreThan5000MsAfterTheFirstFrameAcrossATickWrap) {
    OverlayScreens overlay;
    overlay.load();
    overlay.visible = true;
    auto frame = [&](std::uint32_t now) {
        fakeNow = now;
        startFrame();
        overlay.draw();
        return test_gl::readPixel(32, 48).r > 150;  // the intro's red shows
    };

    const std::uint32_t first = 0xFFFFF000u;  // 4096 ms before the counter wraps
    EXPECT_TRUE(frame(first));
    EXPECT_TRUE(overlay.timerStarted);
    EXPECT_EQ(overlay.startTick, first);
    EXPECT_TRUE(frame(first + 5000u));  // wrapped; exactly 5000 ms: stays
    EXPECT_TRUE(overlay.visible);
    EXPECT_TRUE(frame(first + 5001u));  // drawn once more, then gone
    EXPECT_FALSE(overlay.visible);
    EXPECT_FALSE(frame(first + 5002u));
    EXPECT_FALSE(frame(first + 100000u));

    // Not visible: no GL call, so not even the texture binding moves.
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    overlay.draw();
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(OverlayGL, HelpScreenStaysAndAMissingIntroIsAPlainQuad) {
    OverlayScreens help;
    help.load();
    help.visible = true;
    help.currentScreen = 1;
    fakeNow = 10;
    help.draw();
    fakeNow = 10 + 60000;
    help.draw();
    EXPECT_TRUE(help.visible);

    std::filesystem::remove("intro1.png");
    OverlayScreens plain;
    plain.load();
    EXPECT_EQ(plain.screenTextures[0], 0u);
    EXPECT_NE(plain.screenTextures[1], 0u);
    plain.visible = true;
    startFrame();
    plain.draw();
    // White at 85 % over grey 102: 0.85 × 255 + 0.15 × 102.
    const test_gl::Pixel middle = test_gl::readPixel(32, 32);
    EXPECT_NEAR(middle.r, 232, 2);
    EXPECT_NEAR(middle.g, 232, 2);
}

TEST_F(OverlayGL, DrawShowsTheScreenSelectedNowAndLeavesTheSameState) {
    OverlayScreens overlay;
    overlay.load();  // with screen 0 selected, as at start-up
    overlay.visible = true;
    auto centre = [&](int screen) {
        overlay.currentScreen = screen;
        startFrame();
        glEnable(GL_DEPTH_TEST);
        overlay.draw();
        EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), overlay.selectedTexture());
        EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
        EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        return test_gl::readPixel(32, 32);
    };

    // Help, white at alpha 191, times 0.85, over grey 102.
    const test_gl::Pixel help = centre(1);
    EXPECT_EQ(overlay.selectedTexture(), overlay.screenTextures[1]);
    EXPECT_NEAR(help.r, 199, 3);
    EXPECT_NEAR(help.b, 199, 3);
    // Outro, grey 99 without alpha, at 85 %.
    const test_gl::Pixel outro = centre(2);
    EXPECT_NEAR(outro.r, 99, 3);
    // Back to the intro: its red top half again.
    centre(0);
    const test_gl::Pixel top = test_gl::readPixel(32, 48);
    EXPECT_NEAR(top.r, 189, 8);
    EXPECT_NEAR(top.g, 58, 8);
    // A screen out of range draws the quad without an image.
    const test_gl::Pixel none = centre(3);
    EXPECT_EQ(overlay.selectedTexture(), 0u);
    EXPECT_NEAR(none.r, 232, 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OverlayGL, OnlyTheIntroTakesTheFramesLightingAndLightingIsLeftOn) {
    OverlayScreens overlay;
    overlay.load();
    overlay.visible = true;
    // A dark night: lighting on with no light, only the faint global ambient.
    auto drawLit = [&](int screen) {
        overlay.currentScreen = screen;
        startFrame();
        glEnable(GL_LIGHTING);
        overlay.draw();
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        glDisable(GL_LIGHTING);
        return test_gl::readPixel(32, 48);
    };
    const test_gl::Pixel intro = drawLit(0);
    EXPECT_LT(intro.r, 60);  // the intro's red darkened by the lighting
    const test_gl::Pixel help = drawLit(1);
    EXPECT_NEAR(help.r, 199, 3);  // as bright as without lighting
    EXPECT_NEAR(help.g, 199, 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
