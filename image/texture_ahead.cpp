#include "image/texture_ahead.h"

#include <algorithm>

#include "image/texture_stream.h"

const char* const kShortOfMemoryForTexture = "not enough memory to make its texture";

TexturesAhead::Slot::Slot() {
    texture.decoded.error = kShortOfMemoryForTexture;
}

PreparedTexture TexturesAhead::prepare(const std::string& path, unsigned int flags,
                                       const TextureTarget& target) {
    PreparedTexture prepared;
    prepared.target = target;
    if (flags == kPixelsOnly) {
        prepared.decoded = readImageFile(path, ImageLimits{});
        return prepared;
    }
    TextureLevelsAsDecoded levels(flags, target);
    prepared.decoded = readImageFile(path, ImageLimits{}, levels);
    prepared.levels = levels.finish(prepared.decoded.ok());
    return prepared;
}

TexturesAhead::TexturesAhead(const TextureTarget& assumed) : assumed_(assumed) {}

TexturesAhead::~TexturesAhead() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void TexturesAhead::request(const std::vector<TextureRequest>& requests) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        try {
            for (const TextureRequest& r : requests) {
                Key key{r.path, r.flags};
                if (slots_.count(key) != 0) continue;
                const auto slot = slots_.emplace(key, std::make_shared<Slot>()).first;
                try {
                    queue_.push_back(std::move(key));
                } catch (const std::exception&) {
                    slots_.erase(slot);
                    throw;
                }
            }
        } catch (const std::exception&) {
            // Short of memory: the images not queued are made when asked for.
        }
        // One worker: while the window is made, the start-up thread needs
        // the other core; afterwards the levels of each image use every
        // core, and a thread that asks for an image not yet begun makes it
        // itself.
        // Without it (no memory, no thread left) each image is made when
        // it is taken.
        if (workers_.empty()) {
            try {
                workers_.emplace_back([this] { work(); });
            } catch (const std::exception&) {
            }
        }
    }
    changed_.notify_all();
}

void TexturesAhead::requestPixels(const std::vector<std::string>& paths) {
    std::vector<TextureRequest> requests;
    try {
        for (const std::string& path : paths) requests.push_back({path, kPixelsOnly});
    } catch (const std::exception&) {
        return;  // short of memory: each is read when it is taken
    }
    request(requests);
}

std::optional<ImageResult> TexturesAhead::takePixels(std::string_view path) {
    std::optional<PreparedTexture> taken = take(path, kPixelsOnly);
    if (!taken) return std::nullopt;
    return std::move(taken->decoded);
}

void TexturesAhead::makeQueued(std::unique_lock<std::mutex>& lock,
                               std::deque<Key>::iterator at) noexcept {
    // Moved, not copied: nothing here may need memory before the slot is done.
    const Key key = std::move(*at);
    queue_.erase(at);
    const std::shared_ptr<Slot> slot = slots_.find(key)->second;
    lock.unlock();
    std::optional<PreparedTexture> prepared;
    try {
        prepared = prepare(key.first, key.second, assumed_);
    } catch (const std::exception&) {
        // The slot keeps its kShortOfMemoryForTexture.
    }
    lock.lock();
    if (prepared) slot->texture = std::move(*prepared);
    slot->done = true;
    changed_.notify_all();
}

void TexturesAhead::work() noexcept {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (queue_.empty())
            changed_.wait(lock);
        else
            makeQueued(lock, queue_.begin());
    }
}

std::optional<PreparedTexture> TexturesAhead::take(std::string_view path, unsigned int flags) {
    std::unique_lock<std::mutex> lock(mutex_);
    const KeyView key{path, flags};
    const auto found = slots_.find(key);
    if (found == slots_.end()) return std::nullopt;
    const std::shared_ptr<Slot> slot = found->second;
    // Not begun: sooner made here than waited for behind the others.
    const auto queued = std::find_if(queue_.begin(), queue_.end(), [&](const Key& k) {
        return k.first == path && k.second == flags;
    });
    if (queued != queue_.end()) makeQueued(lock, queued);
    // Under way on a worker: the waiting thread makes the next ones meanwhile,
    // all of which are wanted soon.
    while (!slot->done && !stopping_) {
        if (queue_.empty())
            changed_.wait(lock);
        else
            makeQueued(lock, queue_.begin());
    }
    const auto still = slots_.find(key);
    if (still != slots_.end()) slots_.erase(still);
    if (!slot->done) return std::nullopt;
    return std::move(slot->texture);
}

TexturesAhead& programTexturesAhead() {
    static TexturesAhead ahead(TextureTarget{0, true, true});
    return ahead;
}
