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
#include <thread>
#include <vector>

#include "image/image_file.h"
#include "image/texture_levels.h"

struct TextureRequest {
    std::string path;    // as the GL step will ask for it, relative to the working directory
    unsigned int flags;  // texture_flags.h
};

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
    // workers.
    void request(const std::vector<TextureRequest>& requests);
    // The same for images wanted as pixels alone, without levels.
    void requestPixels(const std::vector<std::string>& paths);
    // The prepared texture for path with flags; while it is under way the
    // caller makes queued ones. Nothing when it was never requested or was
    // taken already.
    std::optional<PreparedTexture> take(const std::string& path, unsigned int flags);
    // The decoded image for path named by requestPixels, as take does.
    std::optional<ImageResult> takePixels(const std::string& path);

  private:
    struct Slot {
        bool done = false;
        PreparedTexture texture;
    };
    using Key = std::pair<std::string, unsigned int>;  // path, flags or kPixelsOnly
    static constexpr unsigned int kPixelsOnly = ~0u;
    // Makes the queued texture at `at`, with the lock released meanwhile.
    void makeQueued(std::unique_lock<std::mutex>& lock, std::deque<Key>::iterator at);
    static PreparedTexture prepare(const std::string& path, unsigned int flags,
                                   const TextureTarget& target);
    void work();

    TextureTarget assumed_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Key> queue_;
    std::map<Key, std::shared_ptr<Slot>> slots_;
    std::vector<std::thread> workers_;
    bool stopping_ = false;
};

// The program's: levels for a driver with S3TC and non-power-of-two sides
// and no side limit of its own, which is what current drivers have.
TexturesAhead& programTexturesAhead();
