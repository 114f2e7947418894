// How an image becomes a texture: the program's two flag sets, named once.
// The bit values are those of the image library the program first used, so
// that 178 and 162 still mean what they meant.
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
              "the flag values the scene has always used");
