#include "image/texture_ahead.h"

#include <algorithm>

#include "image/texture_stream.h"

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
        for (const TextureRequest& r : requests) {
            Key key{r.path, r.flags};
            if (slots_.count(key) != 0) continue;
            slots_[key] = std::make_shared<Slot>();
            queue_.push_back(std::move(key));
        }
        // One worker: while the window is made, the start-up thread needs
        // the other core; afterwards the levels of each image use every
        // core, and a thread that asks for an image not yet begun makes it
        // itself.
        if (workers_.empty()) workers_.emplace_back([this] { work(); });
    }
    changed_.notify_all();
}

void TexturesAhead::requestPixels(const std::vector<std::string>& paths) {
    std::vector<TextureRequest> requests;
    for (const std::string& path : paths) requests.push_back({path, kPixelsOnly});
    request(requests);
}

std::optional<ImageResult> TexturesAhead::takePixels(const std::string& path) {
    std::optional<PreparedTexture> taken = take(path, kPixelsOnly);
    if (!taken) return std::nullopt;
    return std::move(taken->decoded);
}

void TexturesAhead::makeQueued(std::unique_lock<std::mutex>& lock, std::deque<Key>::iterator at) {
    const Key key = *at;
    queue_.erase(at);
    const std::shared_ptr<Slot> slot = slots_[key];
    lock.unlock();
    PreparedTexture prepared = prepare(key.first, key.second, assumed_);
    lock.lock();
    slot->texture = std::move(prepared);
    slot->done = true;
    changed_.notify_all();
}

void TexturesAhead::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (queue_.empty())
            changed_.wait(lock);
        else
            makeQueued(lock, queue_.begin());
    }
}

std::optional<PreparedTexture> TexturesAhead::take(const std::string& path, unsigned int flags) {
    std::unique_lock<std::mutex> lock(mutex_);
    const Key key{path, flags};
    const auto found = slots_.find(key);
    if (found == slots_.end()) return std::nullopt;
    const std::shared_ptr<Slot> slot = found->second;
    // Not begun: sooner made here than waited for behind the others.
    const auto queued = std::find(queue_.begin(), queue_.end(), key);
    if (queued != queue_.end()) makeQueued(lock, queued);
    // Under way on a worker: the waiting thread makes the next ones meanwhile,
    // all of which are wanted soon.
    while (!slot->done && !stopping_) {
        if (queue_.empty())
            changed_.wait(lock);
        else
            makeQueued(lock, queue_.begin());
    }
    slots_.erase(key);
    if (!slot->done) return std::nullopt;
    return std::move(slot->texture);
}

TexturesAhead& programTexturesAhead() {
    static TexturesAhead ahead(TextureTarget{0, true, true});
    return ahead;
}
