// How an image becomes a texture: the program's two flag sets, named once.
// The bits are libSOIL's SOIL_FLAG_* values, so that texture_soil_test can
// hand one flag set to SOIL_create_OGL_texture and to ours alike.
#pragma once

enum TextureFlag : unsigned int {
    kTextureMipmaps = 2,        // power-of-two sides and a full mipmap chain
    kTextureInvertY = 16,       // the image's top row at t = 1
    kTextureCompressDxt = 32,   // DXT1 without alpha, DXT5 with, where the driver has S3TC
    kTextureNtscSafeRgb = 128,  // colour channels scaled into 16…235; alpha untouched
};

// The material, stone, ground and sky textures.
constexpr unsigned int kSceneTextureFlags =
    kTextureMipmaps | kTextureInvertY | kTextureCompressDxt | kTextureNtscSafeRgb;
// The intro image: upright, its top row at t = 0, where the quad's top is.
constexpr unsigned int kIntroTextureFlags =
    kTextureMipmaps | kTextureCompressDxt | kTextureNtscSafeRgb;

static_assert(kSceneTextureFlags == 178 && kIntroTextureFlags == 162,
              "the scene's flag sets as SOIL_FLAG_* values");
