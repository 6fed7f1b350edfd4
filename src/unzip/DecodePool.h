// Worker threads that read the compressed bytes of the entries they are
// given and decode them. They read the archive through a handle of their
// own, one thread at a time, and touch nothing else but the job they hold:
// no events, no files written, not the engine's archive stream.
#pragma once

#include "platform/FileSystem.h"
#include "unzip/decoders/PkwareDecryptor.h"
#include "unzip/decoders/RecordedDecode.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace qz::unzip {

struct DecodeJob {
    // Filled before the job is submitted.
    std::uint64_t localHeaderOffset = 0;
    std::uint64_t storedSize = 0; // the compressed size, encryption header included
    EntryCoding coding;
    bool encrypted = false;
    std::string password;
    std::uint8_t checkByte = 0;

    // Filled by the worker; read once finished is set (under the pool's lock).
    std::uint8_t header[kEncryptionHeaderSize] = {}; // of an encrypted entry
    BlockBytes raw;         // the data after the header; given back once decoded
    bool decodable = false; // read whole and, when encrypted, the password fits
    bool finished = false;
    // None: the data was short, the password wrong, or the decoder threw.
    std::optional<RecordedDecode> decoded;
};

class DecodePool {
public:
    // archive: read by the threads, which start only when it is there.
    DecodePool(int threads, File* archive);
    // Abandons every job not finished yet and joins the threads.
    ~DecodePool();
    DecodePool(const DecodePool&) = delete;
    DecodePool& operator=(const DecodePool&) = delete;

    void submit(std::shared_ptr<DecodeJob> job);
    // Blocks until the job has been decoded; whileWaiting, when given, is
    // called every few milliseconds until then (a window's queue must run).
    void wait(const DecodeJob& job, const std::function<void()>& whileWaiting = {});

    // Where the jobs' data and decoded pieces are kept; the data goes back
    // once decoded, the pieces once written.
    PieceBlocks& blocks() { return blocks_; }

    // One fewer than the processor runs at once (at least one, at most a few).
    static int threadsForThisProcessor();

private:
    void work();
    // Reads the job's data into blocks; false when the archive ends first.
    bool read(DecodeJob& job);
    // Decodes the job's data (already decrypted) and marks it finished;
    // false when the pool stopped it.
    bool finish(DecodeJob& job, DecoderWorkspace& workspace);

    File* archive_;
    std::mutex archiveMutex_;
    PieceBlocks blocks_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<std::shared_ptr<DecodeJob>> queue_;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

} // namespace qz::unzip
