// Reads a Wavefront OBJ file into an ObjModel, with its material libraries
// (mtl_reader.h) read where their mtllib line stands. Not a full OBJ reader:
// it dispatches on the first character of each keyword, reads vertex data as
// words that may run on to the next line, fixes the face form of a file by
// its first face line, and skips everything else.
#pragma once

#include <string>
#include <string_view>

class ObjModel;

// Clears the model and reads the file into it, unless the name does not end
// in ".obj" (then nothing happens). Needs no GL context: the texture step,
// loadTextures (model_gl.h), runs once a window exists. An OBJ file that
// cannot be opened is reported on stderr and leaves the model empty.
void loadObjModel(std::string fileName, ObjModel& model);

// Reads one OBJ file into the model of the current load.
void readObjFile(std::string fileName);

// As loadObjModel, with the file's text already in memory; material libraries
// are still looked up beside fileName. For the fuzzer.
void loadObjText(std::string_view text, const std::string& fileName, ObjModel& model);
