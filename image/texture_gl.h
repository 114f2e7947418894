// The GL step of an image texture: pixels from the image module, the texture
// made by SOIL from them with the caller's SOIL flags, so mipmaps, DXT
// compression, NTSC-safe colours and the vertical flip stay SOIL's.
#pragma once

#include <string>

#include "image/image_file.h"

// Needs a current GL context: a texture side may be at most
// GL_MAX_TEXTURE_SIZE, and no image more than kMaxImagePixels.
ImageLimits textureLimits();

// Needs a current GL context. Decodes path through programImages() and
// returns the new texture's name, or 0 when the file or SOIL failed; the
// failure is then named on standard error (once per file as it stands) with
// consequence, and *reason, when given, receives why.
unsigned int loadImageTexture(const std::string& path, unsigned int soilFlags,
                              const std::string& consequence, std::string* reason = nullptr);
