#include "model/mtl_reader.h"

#include <array>
#include <iostream>
#include <new>
#include <vector>

#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "model/text_convert.h"
#include "model/text_stream.h"

namespace {

using Words = std::vector<std::string>;

void readWordInto(TextStream& in, Words& words) {
    words.emplace_back();
    in.readWord(words.back());  // a failed read gives an empty word
}

void handOver(const Words& words) {
    const TokenList tokens(words.begin(), words.end());
    handleTokens(kMaterialTokens, tokens);
}

// Gathers the words of each material and hands them over whole. Only the
// first character of a keyword decides: K takes three values, N and i one,
// any m keyword the last word of its line (option words before a texture file
// are dropped), any n keyword starts a new material. Values are words, not
// bound to their line.
void readMtlLines(TextStream& in) {
    Words tokens;  // owned: a material's words span many lines and refills of the stream
    std::string keyword;
    std::string rest;
    while (in.readWord(keyword)) {
        switch (keyword[0]) {
            case 'K':
                tokens.emplace_back(keyword);
                for (int i = 0; i < 3; ++i) readWordInto(in, tokens);
                break;
            case 'N':
            case 'i':
                tokens.emplace_back(keyword);
                readWordInto(in, tokens);
                break;
            case 'm': {
                tokens.emplace_back(keyword);
                in.readRestOfLine(rest);
                size_t end = rest.size();
                while (end > 0 && isBlank(rest[end - 1])) --end;
                size_t begin = end;
                while (begin > 0 && !isBlank(rest[begin - 1])) --begin;
                tokens.emplace_back(rest, begin,
                                    end - begin);  // empty when the line holds no word
                break;
            }
            case 'n':
                if (!tokens.empty()) handOver(tokens);
                tokens.clear();
                readWordInto(in, tokens);
                break;
            default:  // d, Tr, bump, comments and anything else
                in.skipRestOfLine();
                break;
        }
    }
    if (!tokens.empty()) handOver(tokens);
}

float valueAt(const TokenList& tokens, size_t i) {
    return i < tokens.size() ? toFloat(tokens[i])
                             : 0.0f;  // a value cut off reads as 0, like one that does not convert
}

void readColour(const TokenList& tokens, size_t i, std::array<float, 4>& colour) {
    colour[0] = valueAt(tokens, i + 1);
    colour[1] = valueAt(tokens, i + 2);
    colour[2] = valueAt(tokens, i + 3);
}

}  // namespace

void readMtlFile(std::string path) {
    TextStream in;
    if (!in.openFile(path)) {
        std::cerr << "couldn't open material file: " << path << std::endl;
        return;
    }
    try {
        readMtlLines(in);
    } catch (const std::bad_alloc&) {
        std::cerr << path
                  << ": not enough memory to read the materials; the rest of them are left out"
                  << std::endl;
    }
}

void handleMaterial(const TokenList& tokens) {
    if (tokens.empty() || currentModel == nullptr) return;
    Material material;
    size_t i = 1;
    while (i < tokens.size()) {
        const std::string_view word = tokens[i];
        if (word == "Kd") {
            readColour(tokens, i, material.Kd);
            i += 4;
        } else if (word == "Ka") {
            readColour(tokens, i, material.Ka);
            i += 4;
        } else if (word == "Ks") {
            readColour(tokens, i, material.Ks);
            i += 4;
        } else if (word == "Ns") {
            material.Ns = valueAt(tokens, i + 1);
            i += 2;
        } else if (word == "illum") {
            material.illum = valueAt(tokens, i + 1);
            i += 2;
        } else if (word.compare(0, 4, "map_") == 0) {
            if (i + 1 < tokens.size()) {  // a keyword cut off from its file names no texture
                const std::string file(tokens[i + 1]);
                currentModel->addTexture(file, std::string());
                (word == "map_Ka" ? material.ambientMap : material.diffuseMap) = file;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    currentModel->addMaterial(std::string(tokens[0]), material);
}

void loadMtlText(std::string_view text, ObjModel& model) {
    // An empty OBJ text installs the handlers and makes the model current.
    loadObjText(std::string_view(), "library.obj", model);
    TextStream in;
    in.openText(text);
    readMtlLines(in);
}
