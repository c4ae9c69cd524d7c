#pragma once

#include "platform/Canvas.h"
#include "platform/JpegDecoder.h"
#include "platform/MainLoop.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Decodes the JPEG that is likely shown next on a worker thread, so that stepping to it shows
// it without waiting for libjpeg. One picture is kept ahead; asking for another drops it.
//
// Threads: every member is for the main thread. The worker only reads the file and decodes;
// it hands its picture over through a slot of its own and posts to the loop when it is done.
// The loop must outlive this object: the destructor waits for the workers.
class JpegDecodeAhead {
public:
    explicit JpegDecodeAhead(platform::MainLoop& loop);
    ~JpegDecodeAhead();
    JpegDecodeAhead(const JpegDecodeAhead&) = delete;
    JpegDecodeAhead& operator=(const JpegDecodeAhead&) = delete;

    platform::MainLoop& loop() const { return m_loop; }

    // Starts decoding `path` with `options` unless that very picture is already decoded or
    // being decoded.
    void request(const std::string& path, const platform::JpegOptions& options);
    // The picture decoded ahead for exactly this file and these options, handed over once;
    // waits for the worker when it is still decoding it. Nullopt when it was not asked for,
    // or when the file could not be decoded (the caller's own load then reports why).
    std::optional<platform::Picture> take(const std::string& path,
                                          const platform::JpegOptions& options);
    // Whether the picture asked for last is decoded and waiting.
    bool ready() const;
    // Drops what is kept and waits for every worker.
    void stop();

private:
    // Written once by the worker, read by the main thread after `done`.
    struct Slot {
        std::mutex mutex;
        std::optional<platform::Picture> picture; // guarded by mutex
        std::atomic<bool> done = false;
    };
    struct Worker {
        std::jthread thread;
        std::shared_ptr<Slot> slot;
    };
    void reapFinished();

    platform::MainLoop& m_loop;
    std::string m_path;
    platform::JpegOptions m_options;
    std::shared_ptr<Slot> m_current; // null: nothing asked for
    std::vector<Worker> m_workers;   // the current one and older ones still decoding
    // Posted completions check this before touching the object.
    std::shared_ptr<JpegDecodeAhead*> m_self;
};
