// Reads the MTL material libraries an OBJ file names into the model of the
// current load: each material's words are gathered into one token list and
// handed to the handler of kMaterialTokens, which files a Material and lists
// the texture files it names.
#pragma once

#include <string>
#include <string_view>

#include "model/line_handlers.h"

class ObjModel;

// path is already prefixed by the OBJ file's directory. A library that cannot
// be opened is reported on stderr and read as empty.
void readMtlFile(std::string path);

// The handler of kMaterialTokens: element 0 is the material's name, then come
// keyword groups in file order.
void handleMaterial(const TokenList& tokens);

// Reads MTL text already in memory into the model, as a library of a load
// would be. For the fuzzer.
void loadMtlText(std::string_view text, ObjModel& model);
