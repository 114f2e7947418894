#include "image/texture_gl.h"

#include <GL/gl.h>
#include <SOIL/SOIL.h>

#include <cstdint>
#include <memory>

#include "image/image_loader.h"

ImageLimits textureLimits() {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    ImageLimits limits;
    // GL promises at least 64; a context that answers nothing gets that.
    limits.maxSide = maxSide >= 64 ? static_cast<std::uint32_t>(maxSide) : 64u;
    return limits;
}

unsigned int loadImageTexture(const std::string& path, unsigned int soilFlags,
                              const std::string& consequence, std::string* reason) {
    ImageLoader& images = programImages();
    const ImageResult decoded = images.load(path, textureLimits(), consequence);
    if (!decoded.ok()) {
        if (reason != nullptr) *reason = decoded.error;
        return 0;
    }
    const DecodedImage& image = decoded.image;
    // SOIL copies the pixels before it flips or converts them.
    const unsigned int name =
        SOIL_create_OGL_texture(image.pixels.get(), image.width, image.height, image.channels,
                                SOIL_CREATE_NEW_ID, soilFlags);
    if (name == 0) {
        const std::string why = std::string("no texture made (") + SOIL_last_result() + ")";
        images.reject(path, why, consequence);
        if (reason != nullptr) *reason = why;
    }
    return name;
}
