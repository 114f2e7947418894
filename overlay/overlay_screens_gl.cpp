// The overlay's textures, its display list and its per-frame draw.
#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "image/image_loader.h"
#include "image/texture_ahead.h"
#include "image/texture_gl.h"
#include "overlay/overlay_screens.h"
#include "platform/tick.h"

namespace {

// The screen's pixels, or why there are none, reported once.
ImageResult screenImage(const char* file, const char* consequence) {
    try {
        // Decoded ahead when start-up named it (texture_ahead.h).
        std::optional<ImageResult> ahead = programTexturesAhead().takePixels(file);
        return ahead ? programImages().adopt(file, std::move(*ahead), textureLimits(), consequence)
                     : programImages().load(file, textureLimits(), consequence);
    } catch (const std::exception&) {
        // Memory ran short on this thread, in the loader's own lists.
    }
    programImages().rejectShortOfMemory(file, kShortOfMemoryForTexture, consequence);
    return ImageResult{};  // no pixels: a screen of no size
}

}  // namespace

std::uint32_t uploadScreenImage(const char* file) {
    const char* consequence = "that overlay screen is drawn without it";
    const ImageResult decoded = screenImage(file, consequence);
    std::uint8_t* pixels = decoded.image.pixels.get();
    const int width = decoded.ok() ? decoded.image.width : 0;
    const int height = decoded.ok() ? decoded.image.height : 0;
    const int channels = decoded.ok() ? decoded.image.channels : 0;

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Level 0 only: a mipmapping filter would leave the texture incomplete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

    // The pixel format follows the buffer the loader gave, so the upload never
    // reads past it; grey images become RGB(A) textures like the others.
    GLint internalFormat = GL_RGB;
    GLenum format = GL_RGB;
    switch (channels) {
        case 4:
            internalFormat = GL_RGBA;
            format = GL_RGBA;
            break;
        case 2:
            internalFormat = GL_RGBA;
            format = GL_LUMINANCE_ALPHA;
            break;
        case 1:
            format = GL_LUMINANCE;
            break;
        default:
            break;
    }
    setVisibleAlpha(pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                    channels);

    GLint foundAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &foundAlignment);
    const GLint alignment = pixels != nullptr ? unpackAlignmentFor(width, channels) : 4;
    if (alignment != foundAlignment) glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels);
    if (alignment != foundAlignment) glPixelStorei(GL_UNPACK_ALIGNMENT, foundAlignment);

    return name;
}

void OverlayScreens::load() {
    // Not flipped, like the help and outro uploads: the image's top row is
    // t = 0, which the quad puts at the top.
    screenTextures[0] =
        loadImageTexture(kIntroImageFile, kIntroTextureFlags, "the intro is drawn without it");
    screenTextures[1] = uploadScreenImage(kHelpImageFile);
    screenTextures[2] = uploadScreenImage(kOutroImageFile);

    // The list draws the quad only: draw binds the selected screen's texture
    // before calling it, so any screen can be shown.
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    // Identity on both matrices: the quad is given in normalised device
    // coordinates, the middle 90 % of the window each way.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    // 85 % opacity, multiplied into the texel alpha by GL_MODULATE.
    glColor4f(1.0f, 1.0f, 1.0f, 0.85f);
    glBegin(GL_QUADS);
    glTexCoord2i(0, 0);
    glVertex3f(-0.9f, 0.9f, 0.0f);
    glTexCoord2i(1, 0);
    glVertex3f(0.9f, 0.9f, 0.0f);
    glTexCoord2i(1, 1);
    glVertex3f(0.9f, -0.9f, 0.0f);
    glTexCoord2i(0, 1);
    glVertex3f(-0.9f, -0.9f, 0.0f);
    glEnd();
    // The terrain relies on the colour being opaque white next frame.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEndList();
}

// Expects the frame's model-view and projection matrices, GL_MODELVIEW
// current. While visible it leaves: both matrices and GL_MODELVIEW as found;
// GL_TEXTURE_2D on with the selected screen's texture bound; blending off;
// depth test and depth writes on; colour opaque white; lighting as found
// (screens other than the intro switch it off for the quad only). When not
// visible it makes no GL call.
void OverlayScreens::draw() {
    if (!visible) return;
    glBindTexture(GL_TEXTURE_2D, selectedTexture());
    const bool unlit = !litByTheScene() && glIsEnabled(GL_LIGHTING);
    if (unlit) glDisable(GL_LIGHTING);
    glCallList(displayList);
    if (unlit) glEnable(GL_LIGHTING);
    advanceClock(getTickCount());
}
