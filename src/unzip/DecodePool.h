// Worker threads that decode entries whose compressed bytes the reading
// thread has already taken from the archive. Workers touch nothing but the
// job they hold: no events, no files, no archive stream.
#pragma once

#include "unzip/decoders/PkwareDecryptor.h"
#include "unzip/decoders/RecordedDecode.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace qz::unzip {

struct DecodeJob {
    // Filled by the reading thread before the job is submitted.
    EntryCoding coding;
    std::uint8_t header[kEncryptionHeaderSize] = {}; // of an encrypted entry
    BlockBytes raw; // the entry's data as stored after the header; given back once decoded
    bool encrypted = false;
    std::string password;
    std::uint8_t checkByte = 0;

    // Filled by the worker; read once finished is set (under the pool's lock).
    bool finished = false;
    bool passwordFits = false;
    std::optional<RecordedDecode> decoded; // none: wrong password, or the decoder threw
};

class DecodePool {
public:
    explicit DecodePool(int threads);
    // Abandons every job not finished yet and joins the threads.
    ~DecodePool();
    DecodePool(const DecodePool&) = delete;
    DecodePool& operator=(const DecodePool&) = delete;

    void submit(std::shared_ptr<DecodeJob> job);
    // Blocks until the job has been decoded.
    void wait(const DecodeJob& job);

    // Where the jobs' data and decoded pieces are kept; the data goes back
    // once decoded, the pieces once written.
    PieceBlocks& blocks() { return blocks_; }

    // The number of threads this processor can keep busy, at most a few.
    static int threadsForThisProcessor();

private:
    void work();
    // Decodes the job's data (already decrypted) and marks it finished;
    // false when the pool stopped it.
    bool finish(DecodeJob& job, DecoderWorkspace& workspace);

    PieceBlocks blocks_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<std::shared_ptr<DecodeJob>> queue_;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

} // namespace qz::unzip
