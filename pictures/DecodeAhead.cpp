#include "pictures/DecodeAhead.h"

#include <utility>

JpegDecodeAhead::JpegDecodeAhead(platform::MainLoop& loop)
    : m_loop(loop), m_self(std::make_shared<JpegDecodeAhead*>(this)) {}

JpegDecodeAhead::~JpegDecodeAhead() {
    stop();
    *m_self = nullptr;
}

void JpegDecodeAhead::request(const std::string& path, const platform::JpegOptions& options) {
    if (m_current && path == m_path && options == m_options)
        return;
    reapFinished();
    m_path = path;
    m_options = options;
    m_current = std::make_shared<Slot>();
    // A worker still decoding an older picture is not waited for: it finishes in the
    // background and is reaped later.
    std::weak_ptr<JpegDecodeAhead*> self = m_self;
    m_workers.push_back(
        Worker{std::jthread([slot = m_current, path, options, self, &loop = m_loop] {
                   platform::Picture picture = platform::loadJpegFile(path, options);
                   {
                       std::lock_guard lock(slot->mutex);
                       if (!picture.empty())
                           slot->picture = std::move(picture);
                   }
                   slot->done = true;
                   // The main thread reaps the finished worker; a stopped object is gone by then.
                   loop.post([self] {
                       if (auto owner = self.lock(); owner && *owner)
                           (*owner)->reapFinished();
                   });
               }),
               m_current});
}

std::optional<platform::Picture> JpegDecodeAhead::take(const std::string& path,
                                                       const platform::JpegOptions& options) {
    if (!m_current || path != m_path || !(options == m_options))
        return std::nullopt;
    const std::shared_ptr<Slot> slot = std::move(m_current);
    m_current.reset();
    // Still decoding: waiting for it is never longer than decoding it anew.
    for (Worker& worker : m_workers) {
        if (worker.slot == slot && worker.thread.joinable())
            worker.thread.join();
    }
    reapFinished();
    std::lock_guard lock(slot->mutex);
    return std::exchange(slot->picture, std::nullopt);
}

bool JpegDecodeAhead::ready() const {
    return m_current && m_current->done.load();
}

void JpegDecodeAhead::stop() {
    m_current.reset();
    for (Worker& worker : m_workers) {
        if (worker.thread.joinable())
            worker.thread.join();
    }
    m_workers.clear();
}

void JpegDecodeAhead::reapFinished() {
    std::erase_if(m_workers, [](Worker& worker) {
        if (!worker.slot->done.load())
            return false;
        if (worker.thread.joinable())
            worker.thread.join();
        return true;
    });
}
