// Textures prepared ahead: the program names the images it will make into
// textures before it has a GL context, and worker threads decode them and
// make their levels (texture_stream.h) while the window is being created.
// The GL step then takes each one, ready or still under way, in its own
// order; an image nobody named ahead is simply made when it is asked for.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "image/image_file.h"
#include "image/texture_levels.h"

struct TextureRequest {
    std::string path;    // as the GL step will ask for it, relative to the working directory
    unsigned int flags;  // texture_flags.h
};

// Why a file prepared ahead has no texture when memory ran short while
// decoding it or making its levels (or its pixels, for pixels alone).
extern const char* const kShortOfMemoryForTexture;

struct PreparedTexture {
    // The file as decoded, without a driver's side limit (the GL step checks
    // that); on failure, why. Its pixels went into the levels: the image has
    // them only when named by requestPixels.
    ImageResult decoded;
    TextureTarget target;  // the driver the levels were made for
    TextureLevels levels;  // none when decoding failed
};

class TexturesAhead {
  public:
    // Levels are made for `assumed`; the GL step makes them again from the
    // decoded pixels should its driver turn out to differ.
    explicit TexturesAhead(const TextureTarget& assumed);
    // Waits for the work under way.
    ~TexturesAhead();
    TexturesAhead(const TexturesAhead&) = delete;
    TexturesAhead& operator=(const TexturesAhead&) = delete;

    // Queues the requests behind any earlier ones; the first call starts the
    // workers. Never fails: what cannot be queued is made when it is taken.
    void request(const std::vector<TextureRequest>& requests);
    // The same for images wanted as pixels alone, without levels.
    void requestPixels(const std::vector<std::string>& paths);
    // The prepared texture for path with flags; while it is under way the
    // caller makes queued ones. Nothing when it was never requested or was
    // taken already. Needs no memory of its own: a file that failed for
    // want of it is still taken, and its memory given back.
    std::optional<PreparedTexture> take(std::string_view path, unsigned int flags);
    // The decoded image for path named by requestPixels, as take does.
    std::optional<ImageResult> takePixels(std::string_view path);

  private:
    // A slot holds kShortOfMemoryForTexture as its error until its texture is
    // made, so that a texture whose making failed outright, and could not
    // even be told why, is a failure too.
    struct Slot {
        Slot();
        bool done = false;
        PreparedTexture texture;
    };
    using Key = std::pair<std::string, unsigned int>;  // path, flags or kPixelsOnly
    using KeyView = std::pair<std::string_view, unsigned int>;
    // Keys and their views in one order, so that take looks a slot up
    // without copying the path: taking needs no memory.
    struct KeyLess {
        using is_transparent = void;
        template <typename A, typename B>
        bool operator()(const A& a, const B& b) const {
            const std::string_view pathA = a.first;
            const std::string_view pathB = b.first;
            return pathA < pathB || (pathA == pathB && a.second < b.second);
        }
    };
    static constexpr unsigned int kPixelsOnly = ~0u;
    // Makes the queued texture at `at`, with the lock released meanwhile.
    // Never throws: whatever happens, the slot is done.
    void makeQueued(std::unique_lock<std::mutex>& lock, std::deque<Key>::iterator at) noexcept;
    // Throws std::bad_alloc (or std::system_error) when memory ran short.
    static PreparedTexture prepare(const std::string& path, unsigned int flags,
                                   const TextureTarget& target);
    // The worker thread's entry.
    void work() noexcept;

    TextureTarget assumed_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Key> queue_;
    std::map<Key, std::shared_ptr<Slot>, KeyLess> slots_;
    std::vector<std::thread> workers_;
    bool stopping_ = false;
};

// The program's: levels for a driver with S3TC and non-power-of-two sides
// and no side limit of its own, which is what current drivers have.
TexturesAhead& programTexturesAhead();
