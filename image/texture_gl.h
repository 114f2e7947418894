// The GL step of an image texture: pixels from the image module, levels made
// by texture_levels.h, uploaded here with libSOIL's filters and wrap modes.
#pragma once

#include <string>

#include "image/image_file.h"
#include "image/texture_flags.h"
#include "image/texture_levels.h"

// Needs a current GL context: a texture side may be at most
// GL_MAX_TEXTURE_SIZE, and no image more than kMaxImagePixels.
ImageLimits textureLimits();

// Needs a current GL context: what its driver takes (largest side, S3TC,
// non-power-of-two sides).
TextureTarget textureTarget();

// Needs a current GL context. A new texture from image with flags
// (texture_flags.h), left bound to GL_TEXTURE_2D: magnified linearly,
// minified through its mipmaps (GL_LINEAR_MIPMAP_LINEAR) when it has them,
// else linearly, and clamped with GL_CLAMP both ways. 0 when GL gives no
// texture name (no context).
unsigned int createTexture(const DecodedImage& image, unsigned int flags);
// The same from levels made already (for this context's textureTarget()).
unsigned int uploadTexture(const TextureLevels& levels, unsigned int flags);

// Needs a current GL context. Takes path from programTexturesAhead() when it
// was named there (texture_ahead.h), else decodes it, through programImages(); and
// returns the new texture's name, or 0 when the file or the texture failed;
// the failure is then named on standard error (once per file as it stands)
// with consequence, and *reason, when given, receives why. Memory running
// short anywhere on the way (decoding, the levels, the driver's upload) is
// such a failure: it never ends the program.
unsigned int loadImageTexture(const std::string& path, unsigned int flags,
                              const std::string& consequence, std::string* reason = nullptr);
