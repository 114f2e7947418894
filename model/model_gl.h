// The GL side of the model: the texture step of a load, which needs a current
// GL context and so runs once the window exists, and ObjModel::draw()
// (declared in obj_model.h).
#pragma once

#include <string>

class ObjModel;

// Loads every texture file the materials named, in file-name order, from
// directory + file name (the OBJ file's directory, not the MTL file's).
// Prints " textures" first when there is any, and "SOIL loading error: '...'"
// with the decoder's reason for each file that fails (which is also named on
// standard error); that entry keeps textureId 0.
// Leaves GL_TEXTURE_2D enabled and the last texture that loaded bound.
void loadTextures(ObjModel& model, const std::string& directory);
