// The second layer of the model readers. A line reader turns the words of one
// kind of line (or, for an MTL file, one whole material) into a token list; the
// handler for that kind, looked up in lineHandlers, turns the list into calls
// on currentModel. Only the readers know the file syntax; only the handlers
// know the model. Shared by obj_reader.cpp and mtl_reader.cpp.
#pragma once

#include <map>
#include <string_view>
#include <vector>

class ObjModel;

using LineKind = int;
// Views of the words of the line (or material) being read. They point into
// the reader's own copies of those words, never into a read buffer, and are
// valid while the handler runs, so a handler copies what it keeps.
using TokenList = std::vector<std::string_view>;
using LineHandler = void (*)(const TokenList& tokens);

// Keys of lineHandlers only: the values carry no meaning of their own.
enum : LineKind {
    kVertexPositionLine = 0,
    kNormalLine = 1,
    kTexCoordLine = 2,
    kFacePositionLine = 3,               // i
    kFacePositionTextureLine = 4,        // i/j
    kFacePositionNormalLine = 5,         // i//k
    kFacePositionTextureNormalLine = 6,  // i/j/k
    kMaterialTokens = 7,                 // one complete material of an MTL file
    kGroupLine = 8,
    kMaterialUseLine = 9,
};

// One table for the whole run, installed by the first loadObjModel.
extern std::map<LineKind, LineHandler> lineHandlers;

// The model being filled; set by the load entry. One read at a time.
extern ObjModel* currentModel;

// Calls the handler of the kind, if the table has one.
void handleTokens(LineKind kind, const TokenList& tokens);
