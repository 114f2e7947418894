#include "image/texture_gl.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "image/image_loader.h"
#include "image/texture_ahead.h"
#include "platform/gl_proc.h"

namespace {

// From EXT_texture_compression_s3tc, which OpenGL 1.x headers need not carry.
constexpr GLenum kCompressedRgbDxt1 = 0x83F0;
constexpr GLenum kCompressedRgbaDxt5 = 0x83F3;

using CompressedTexImage2D = void(GL_PROC_API*)(GLenum target, GLint level, GLenum internalFormat,
                                                GLsizei width, GLsizei height, GLint border,
                                                GLsizei imageSize, const void* data);

bool hasExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return all != nullptr && std::strstr(all, name) != nullptr;
}

// The upload of compressed levels (OpenGL 1.3, or ARB_texture_compression).
CompressedTexImage2D compressedUpload() {
    static const CompressedTexImage2D upload = [] {
        void* entry = glProcAddress("glCompressedTexImage2D");
        if (entry == nullptr) entry = glProcAddress("glCompressedTexImage2DARB");
        return reinterpret_cast<CompressedTexImage2D>(entry);
    }();
    return upload;
}

GLenum glFormatOf(TexelFormat format) {
    switch (format) {
        case TexelFormat::Luminance:
            return GL_LUMINANCE;
        case TexelFormat::LuminanceAlpha:
            return GL_LUMINANCE_ALPHA;
        case TexelFormat::Rgb:
            return GL_RGB;
        case TexelFormat::Rgba:
            return GL_RGBA;
        case TexelFormat::Dxt1:
            return kCompressedRgbDxt1;
        case TexelFormat::Dxt5:
            return kCompressedRgbaDxt5;
    }
    return GL_RGBA;
}

}  // namespace

ImageLimits textureLimits() {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    ImageLimits limits;
    // GL promises at least 64; a context that answers nothing gets that.
    limits.maxSide = maxSide >= 64 ? static_cast<std::uint32_t>(maxSide) : 64u;
    return limits;
}

TextureTarget textureTarget() {
    TextureTarget target;
    target.maxSide = static_cast<int>(textureLimits().maxSide);
    target.dxt = hasExtension("GL_EXT_texture_compression_s3tc") && compressedUpload() != nullptr;
    target.nonPowerOfTwo = hasExtension("GL_ARB_texture_non_power_of_two");
    return target;
}

unsigned int createTexture(const DecodedImage& image, unsigned int flags) {
    return uploadTexture(makeTextureLevels(image, flags, textureTarget()), flags);
}

namespace {

// uploadTexture, telling apart a driver that ran out of memory for the
// levels (the texture is then deleted and 0 returned).
GLuint uploadLevels(const TextureLevels& texture, unsigned int flags, bool& outOfMemory) {
    outOfMemory = false;
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) return 0;
    // Errors left by earlier calls are not this upload's (a few at most:
    // each call records one).
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    const GLenum format = glFormatOf(texture.format);
    const bool compressed = isDxt(texture.format);

    glBindTexture(GL_TEXTURE_2D, name);
    GLint foundAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &foundAlignment);
    // Rows of uncompressed levels are packed (a 1 × 1 RGB level is 3 bytes).
    if (!compressed) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (std::size_t i = 0; i < texture.levels.size(); ++i) {
        const TextureLevel& level = texture.levels[i];
        const GLint index = static_cast<GLint>(i);
        if (compressed)
            compressedUpload()(GL_TEXTURE_2D, index, format, level.width, level.height, 0,
                               static_cast<GLsizei>(level.bytes.size()), level.bytes.data());
        else
            glTexImage2D(GL_TEXTURE_2D, index, static_cast<GLint>(format), level.width,
                         level.height, 0, format, GL_UNSIGNED_BYTE, level.bytes.data());
    }
    if (!compressed) glPixelStorei(GL_UNPACK_ALIGNMENT, foundAlignment);

    const bool mipmaps = (flags & kTextureMipmaps) != 0;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    // GL_CLAMP, not GL_CLAMP_TO_EDGE: the drawing code that wants edge
    // clamping sets it itself, each frame.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    if (glGetError() == GL_OUT_OF_MEMORY) {
        glDeleteTextures(1, &name);
        outOfMemory = true;
        return 0;
    }
    return name;
}

unsigned int loadTexture(const std::string& path, unsigned int flags,
                         const std::string& consequence, std::string* reason) {
    ImageLoader& images = programImages();
    std::optional<PreparedTexture> ahead = programTexturesAhead().take(path, flags);
    ImageResult decoded =
        ahead ? images.adopt(path, std::move(ahead->decoded), textureLimits(), consequence)
              : images.load(path, textureLimits(), consequence);
    // Levels made ahead for another driver than this one are made again, from
    // the file decoded again: its pixels went into those levels.
    const TextureTarget target = textureTarget();
    const bool madeForThis = ahead && ahead->target.dxt == target.dxt &&
                             ahead->target.nonPowerOfTwo == target.nonPowerOfTwo &&
                             !ahead->levels.levels.empty() &&
                             ahead->levels.levels[0].width <= target.maxSide &&
                             ahead->levels.levels[0].height <= target.maxSide;
    if (ahead && decoded.ok() && !madeForThis)
        decoded = images.load(path, textureLimits(), consequence);
    if (!decoded.ok()) {
        if (reason != nullptr) *reason = decoded.error;
        return 0;
    }
    bool outOfMemory = false;
    const unsigned int name =
        madeForThis
            ? uploadLevels(ahead->levels, flags, outOfMemory)
            : uploadLevels(makeTextureLevels(decoded.image, flags, target), flags, outOfMemory);
    if (name == 0) {
        const std::string why =
            outOfMemory ? "not enough memory in the graphics driver for its texture"
                        : "no texture made (no GL texture name; no current GL context?)";
        images.reject(path, why, consequence);
        if (reason != nullptr) *reason = why;
    }
    return name;
}

}  // namespace

unsigned int uploadTexture(const TextureLevels& texture, unsigned int flags) {
    bool outOfMemory = false;
    return uploadLevels(texture, flags, outOfMemory);
}

unsigned int loadImageTexture(const std::string& path, unsigned int flags,
                              const std::string& consequence, std::string* reason) {
    try {
        return loadTexture(path, flags, consequence, reason);
    } catch (const std::exception&) {
        // Memory ran short on this thread: decoding the file again, making
        // its levels, or in the loader's own lists.
    }
    programImages().rejectShortOfMemory(path, kShortOfMemoryForTexture, consequence);
    if (reason != nullptr) {
        try {
            *reason = kShortOfMemoryForTexture;
        } catch (const std::exception&) {
        }
    }
    return 0;
}
