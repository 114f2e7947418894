#include "model/obj_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "model/line_handlers.h"
#include "model/mtl_reader.h"
#include "model/obj_model.h"
#include "model/text_convert.h"
#include "model/text_stream.h"

std::map<LineKind, LineHandler> lineHandlers;
ObjModel* currentModel = nullptr;

void handleTokens(LineKind kind, const TokenList& tokens) {
    const auto found = lineHandlers.find(kind);
    if (found != lineHandlers.end()) found->second(tokens);
}

namespace {

// How one corner of a face is written. A file's first face line decides the
// form for all its later face lines.
enum class FaceForm {
    undecided,              // no face line yet: the first-line reader comes next
    position,               // i
    positionTexture,        // i/j
    positionNormal,         // i//k
    positionTextureNormal,  // i/j/k
};

// Reader context: the groups survive from one read to the next, as they are
// changed only by group lines.
std::vector<std::string> currentGroups;
FaceForm faceForm = FaceForm::undecided;
TextStream objStream;
// The readers' own copies of what they read from objStream; the token lists
// point into these, never into the stream's block. Reused from line to line
// to spare allocations.
std::string lineText;
std::string valueWords[3];
std::string firstFaceText;  // the first corner and the rest of the first face line
TokenList lineTokens;

LineKind kindOf(FaceForm form) {
    switch (form) {
        case FaceForm::positionTexture:
            return kFacePositionTextureLine;
        case FaceForm::positionNormal:
            return kFacePositionNormalLine;
        case FaceForm::positionTextureNormal:
            return kFacePositionTextureNormalLine;
        default:
            return kFacePositionLine;
    }
}

FaceForm formOfCorner(std::string_view corner) {
    const size_t slash = corner.find('/');
    if (slash == std::string_view::npos) return FaceForm::position;
    if (slash + 1 < corner.size() && corner[slash + 1] == '/') return FaceForm::positionNormal;
    if (corner.find('/', slash + 1) != std::string_view::npos)
        return FaceForm::positionTextureNormal;
    return FaceForm::positionTexture;
}

// A view of one line with the reads a stream offers, held to the line: a face
// line never takes corners from the line after it.
class LineCursor {
  public:
    explicit LineCursor(std::string_view line)
        : at_(line.data()), end_(line.data() + line.size()) {}

    bool word(std::string_view& out) {
        const char* p = at_;
        while (p < end_ && isBlank(*p)) ++p;
        if (p == end_) {
            at_ = p;
            return false;
        }
        const char* const first = p;
        while (p < end_ && !isBlank(*p)) ++p;
        at_ = p;
        out = std::string_view(first, static_cast<size_t>(p - first));
        return true;
    }

    // The characters up to the next delimiter, which is consumed (getline with a delimiter).
    bool upTo(char delimiter, std::string_view& out) {
        const char* p = at_;
        while (p < end_ && *p != delimiter) ++p;
        if (p == end_) return false;
        out = std::string_view(at_, static_cast<size_t>(p - at_));
        at_ = p + 1;
        return true;
    }

    std::string_view rest() const { return std::string_view(at_, static_cast<size_t>(end_ - at_)); }

  private:
    const char* at_;
    const char* end_;
};

// Splitting rules for the text of a file's first face line, the first corner
// and the rest of the line joined by a space. Only the space separates; a
// token may keep leading white space, which toInt skips.
void splitFirstFaceLine(FaceForm form, std::string_view text, TokenList& tokens) {
    constexpr auto npos = std::string_view::npos;
    const size_t n = text.size();
    if (form == FaceForm::position) {
        size_t space = text.find(' ');
        tokens.emplace_back(text.substr(0, space));
        while (space != npos) {
            size_t start = space;
            while (start < n && text[start] == ' ') ++start;
            if (start == n) break;
            space = text.find(' ', start);
            tokens.emplace_back(text.substr(start, space == npos ? npos : space - start));
        }
        return;
    }
    size_t start = 0;
    while (true) {
        const size_t slash = text.find('/', start);
        if (slash == npos) return;
        size_t last = slash;  // the separator before the final token of the corner
        if (form == FaceForm::positionTextureNormal) {
            last = text.find('/', slash + 1);
            if (last == npos) return;  // an incomplete corner ends the face
        }
        const size_t finalBegin =
            std::min(form == FaceForm::positionNormal ? slash + 2 : last + 1, n);
        const size_t space = text.find(' ', finalBegin);
        tokens.emplace_back(text.substr(start, slash - start));
        if (form == FaceForm::positionTextureNormal) {
            tokens.emplace_back(text.substr(slash + 1, last - slash - 1));
        }
        tokens.emplace_back(text.substr(finalBegin, space == npos ? npos : space - finalBegin));
        if (space == npos) return;
        start = space;
    }
}

// Stream rules for later face lines of the file's form: the first three corners
// are read piece by piece (up to a slash, then a word), every further word is
// split at its slashes. A corner whose separators are missing ends the face.
void splitLaterFaceLine(FaceForm form, std::string_view line, TokenList& tokens) {
    constexpr auto npos = std::string_view::npos;
    LineCursor cursor(line);
    std::string_view a, b, c;
    for (int corner = 0; corner < 3; ++corner) {
        switch (form) {
            case FaceForm::position:
                if (!cursor.word(a)) return;
                tokens.emplace_back(a);
                break;
            case FaceForm::positionTexture:
                if (!cursor.upTo('/', a) || !cursor.word(b)) return;
                tokens.emplace_back(a);
                tokens.emplace_back(b);
                break;
            case FaceForm::positionNormal:  // the word begins with the second slash
                if (!cursor.upTo('/', a) || !cursor.word(b)) return;
                tokens.emplace_back(a);
                tokens.emplace_back(b.substr(1));
                break;
            case FaceForm::positionTextureNormal:
                if (!cursor.upTo('/', a) || !cursor.upTo('/', b) || !cursor.word(c)) return;
                tokens.emplace_back(a);
                tokens.emplace_back(b);
                tokens.emplace_back(c);
                break;
            case FaceForm::undecided:
                return;
        }
    }
    std::string_view word;
    while (cursor.word(word)) {
        if (form == FaceForm::position) {
            tokens.emplace_back(word);
            continue;
        }
        const size_t slash = word.find('/');
        if (slash == npos) return;
        if (form == FaceForm::positionTexture) {
            tokens.emplace_back(word.substr(0, slash));
            tokens.emplace_back(word.substr(slash + 1));
        } else if (form == FaceForm::positionNormal) {
            tokens.emplace_back(word.substr(0, slash));
            tokens.emplace_back(word.substr(std::min(slash + 2, word.size())));
        } else {
            const size_t second = word.find('/', slash + 1);
            if (second == npos) return;
            tokens.emplace_back(word.substr(0, slash));
            tokens.emplace_back(word.substr(slash + 1, second - slash - 1));
            tokens.emplace_back(word.substr(second + 1));
        }
    }
}

void readFaceLine() {
    objStream.readRestOfLine(lineText);
    const std::string_view line = lineText;
    lineTokens.clear();
    if (faceForm == FaceForm::undecided) {
        LineCursor cursor(line);
        std::string_view first;
        if (!cursor.word(first))
            return;  // no corner to decide the form by: the next face line will
        faceForm = formOfCorner(first);
        firstFaceText.assign(first).append(" ").append(cursor.rest());
        splitFirstFaceLine(faceForm, firstFaceText, lineTokens);
    } else {
        splitLaterFaceLine(faceForm, line, lineTokens);
    }
    handleTokens(kindOf(faceForm), lineTokens);
}

// Vertex data and material-use names: words that may run on to later lines.
void readWords(int count) {
    for (int i = 0; i < count; ++i) objStream.readWord(valueWords[i]);  // a failed read: empty
    lineTokens.assign(valueWords, valueWords + count);
}

void splitWords(std::string_view text, TokenList& tokens) {
    tokens.clear();
    LineCursor cursor(text);
    std::string_view word;
    while (cursor.word(word)) tokens.emplace_back(word);
}

void readObjLines(const std::string& directory) {
    char first, second;  // of the keyword: only they decide
    while (objStream.readWordStart(first, second)) {
        switch (first) {
            case 'f':
                readFaceLine();
                break;
            case 'g':
                objStream.readRestOfLine(lineText);
                splitWords(lineText, lineTokens);
                handleTokens(kGroupLine, lineTokens);
                break;
            case 'm': {
                std::string names;  // its own copy: the names are used while the libraries are read
                objStream.readRestOfLine(names);
                TokenList libraries;
                splitWords(names, libraries);
                for (const std::string_view library : libraries) {
                    readMtlFile(directory + std::string(library));
                }
                break;
            }
            case 'u':
                readWords(1);
                handleTokens(kMaterialUseLine, lineTokens);
                break;
            case 'v': {
                if (second == 'n') {
                    readWords(3);
                    handleTokens(kNormalLine, lineTokens);
                } else if (second == 't') {
                    readWords(2);
                    handleTokens(kTexCoordLine, lineTokens);
                } else {
                    readWords(3);
                    handleTokens(kVertexPositionLine, lineTokens);
                }
                break;
            }
            default:  // comments, o, s, l and any other keyword
                objStream.skipRestOfLine();
                break;
        }
    }
}

// --- Handlers -------------------------------------------------------------

double componentOf(const TokenList& tokens, size_t i) {
    double value = 0.0;  // a value that does not convert leaves its component 0
    if (i < tokens.size()) toDouble(tokens[i], value);
    return value;
}

void handleVertex(const TokenList& t) {
    currentModel->addVertex(Vector3(componentOf(t, 0), componentOf(t, 1), componentOf(t, 2)));
}

void handleNormal(const TokenList& t) {
    currentModel->addNormal(Vector3(componentOf(t, 0), componentOf(t, 1), componentOf(t, 2)));
}

void handleTexCoord(const TokenList& t) {
    currentModel->addTexCoord(TexCoord{componentOf(t, 0), componentOf(t, 1)});
}

// File indices count from 1, negative ones back from the end of the list as
// read so far. A token that does not convert reads as 0, which, like a 0 in
// the file, is stored as -1: "no index", which drawing never follows.
int storedIndex(std::string_view token, int listLength) {
    int index = 0;
    toInt(token, index);
    return index >= 0 ? index - 1 : listLength + index;
}

void fileFace(const TokenList& tokens, size_t perCorner, bool hasTexture, bool hasNormal) {
    const size_t corners = tokens.size() / perCorner;
    if (corners < 3) return;  // a face needs three complete corners
    ObjModel& model = *currentModel;
    Face face;
    face.vertexIndices.reserve(corners);
    if (hasTexture) face.texCoordIndices.reserve(corners);
    if (hasNormal) face.normalIndices.reserve(corners);
    for (size_t corner = 0; corner < corners; ++corner) {
        const size_t first = corner * perCorner;
        face.vertexIndices.push_back(storedIndex(tokens[first], model.vertexCount));
        if (hasTexture) {
            face.texCoordIndices.push_back(storedIndex(tokens[first + 1], model.texCoordCount));
        }
        if (hasNormal) {
            face.normalIndices.push_back(
                storedIndex(tokens[first + perCorner - 1], model.normalCount));
        }
    }
    face.cornerCount = static_cast<int>(face.vertexIndices.size());
    model.addFace(std::move(face), currentGroups);
}

void handleFacePosition(const TokenList& t) {
    fileFace(t, 1, false, false);
}
void handleFacePositionTexture(const TokenList& t) {
    fileFace(t, 2, true, false);
}
void handleFacePositionNormal(const TokenList& t) {
    fileFace(t, 2, false, true);
}
void handleFacePositionTextureNormal(const TokenList& t) {
    fileFace(t, 3, true, true);
}

void handleGroup(const TokenList& t) {
    currentGroups.assign(t.begin(), t.end());
}

void handleMaterialUse(const TokenList& t) {
    currentModel->setGroupMaterial(currentGroups,
                                   t.empty() ? std::string() : std::string(t.front()));
}

void installLineHandlers() {
    lineHandlers = {
        {kVertexPositionLine, handleVertex},
        {kNormalLine, handleNormal},
        {kTexCoordLine, handleTexCoord},
        {kFacePositionLine, handleFacePosition},
        {kFacePositionTextureLine, handleFacePositionTexture},
        {kFacePositionNormalLine, handleFacePositionNormal},
        {kFacePositionTextureNormalLine, handleFacePositionTextureNormal},
        {kMaterialTokens, handleMaterial},
        {kGroupLine, handleGroup},
        {kMaterialUseLine, handleMaterialUse},
    };
}

// How many lines begin with each record keyword: a cheap first look at the
// file that lets the lists be sized once instead of growing (and moving
// millions of faces) as they fill. Only a hint: lines indented or split
// differently are simply not counted.
struct LineStarts {
    size_t vertices = 0;
    size_t normals = 0;
    size_t texCoords = 0;
    size_t faces = 0;

    // text continues the text counted before; lineStart says whether it begins a line.
    void count(std::string_view text, bool& lineStart) {
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
            if (lineStart) {
                if (*p == 'f') {
                    ++faces;
                } else if (*p == 'v' && p + 1 < end) {
                    const char second = p[1];
                    if (second == 'n')
                        ++normals;
                    else if (second == 't')
                        ++texCoords;
                    else
                        ++vertices;
                }
            }
            const void* newline = std::memchr(p, '\n', static_cast<size_t>(end - p));
            if (newline == nullptr) {
                lineStart = false;
                return;
            }
            p = static_cast<const char*>(newline) + 1;
            lineStart = true;
        }
    }

    void reserveIn(ObjModel& model) const {
        try {
            model.vertices.reserve(vertices);
            model.normals.reserve(normals);
            model.texCoords.reserve(texCoords);
            model.faces.reserve(faces);
            model.triangles.reserve(faces);  // most models are triangles; see releaseUnused
        } catch (const std::exception&) {
            // A file of millions of empty face lines can ask for more than the
            // address space holds; the lists then grow as they fill instead.
        }
    }
};

LineStarts countLineStarts(const std::string& path) {
    LineStarts starts;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return starts;
    struct stat status;
    const long long bytes = fstat(fileno(file), &status) == 0 ? status.st_size : 0;
    const size_t size = TextStream::blockSizeFor(bytes, TextStream::kDefaultBlockSize);
    std::unique_ptr<char[]> block(new char[size]);
    bool lineStart = true;
    size_t got = 0;
    while ((got = std::fread(block.get(), 1, size, file)) > 0) {
        starts.count(std::string_view(block.get(), got), lineStart);
    }
    std::fclose(file);
    return starts;
}

// Capacity reserved for triangles that turned out to be quads or polygons is
// given back when most of it went unused.
void releaseUnused(std::vector<Face>& list) {
    if (list.size() < list.capacity() / 2) list.shrink_to_fit();
}

bool endsWithObj(const std::string& name) {
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".obj") == 0;
}

void startLoad(ObjModel& model) {
    if (lineHandlers.empty()) installLineHandlers();
    model.clear();
    currentModel = &model;
}

// Reads the lines of the opened objStream into currentModel, its lists sized
// from starts first.
void readOpenedObj(const LineStarts& starts, const std::string& fileName) {
    starts.reserveIn(*currentModel);
    readObjLines(directoryOf(fileName));
    objStream.close();
    releaseUnused(currentModel->triangles);
}

}  // namespace

void loadObjModel(std::string fileName, ObjModel& model) {
    if (!endsWithObj(fileName)) return;
    try {
        startLoad(model);
        readObjFile(fileName);
    } catch (const std::bad_alloc&) {
        // A model larger than the memory at hand is left out whole: its
        // memory is given back, and the scene goes on as without the file.
        objStream.close();
        model = ObjModel();
        std::cerr << fileName << ": not enough memory to read the model; going on without the model"
                  << std::endl;
    }
}

void readObjFile(std::string fileName) {
    faceForm = FaceForm::undecided;
    if (!objStream.openFile(fileName)) {
        std::cerr << "couldn't open object file:" << fileName << std::endl;
        return;
    }
    readOpenedObj(countLineStarts(fileName), fileName);
}

void loadObjText(std::string_view text, const std::string& fileName, ObjModel& model) {
    if (!endsWithObj(fileName)) return;
    startLoad(model);
    faceForm = FaceForm::undecided;
    objStream.openText(text);
    LineStarts starts;
    bool lineStart = true;
    starts.count(text, lineStart);
    readOpenedObj(starts, fileName);
}
