#include "unzip/DecodePool.h"

#include "unzip/decoders/PkwareDecryptor.h"

#include <algorithm>

namespace qz::unzip {

namespace {
// More threads than this gain little on the installer's archives and cost
// a workspace each.
constexpr int kMostThreads = 8;
} // namespace

int DecodePool::threadsForThisProcessor() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, kMostThreads);
}

DecodePool::DecodePool(int threads) {
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { work(); });
}

DecodePool::~DecodePool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    queued_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void DecodePool::submit(std::shared_ptr<DecodeJob> job) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(job));
    }
    queued_.notify_one();
}

void DecodePool::wait(const DecodeJob& job) {
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [&] { return job.finished; });
}

void DecodePool::work() {
    DecoderWorkspace workspace;
    std::vector<std::shared_ptr<DecodeJob>> batch;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            queued_.wait(lock, [&] { return stop_ || !queue_.empty(); });
            if (stop_)
                return;
            // Several entries at once let their decryption interleave; a fair
            // share keeps the other threads fed and the next entry early.
            const std::size_t share = std::max<std::size_t>(1, queue_.size() / threads_.size());
            const std::size_t take = std::min(share, PkwareDecryptor::kInterleaveWidth);
            batch.assign(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(take));
            queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(take));
        }
        decodeBatch(batch, workspace);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (const auto& job : batch)
                job->finished = true;
        }
        finished_.notify_all();
        batch.clear();
    }
}

void DecodePool::decodeBatch(std::vector<std::shared_ptr<DecodeJob>>& batch,
                             DecoderWorkspace& workspace) {
    std::vector<PkwareDecryptor> keys;
    std::vector<PkwareDecryptor::Stream> streams;
    keys.reserve(batch.size());
    for (const auto& job : batch) {
        if (!job->encrypted) {
            job->passwordFits = true;
            continue;
        }
        keys.emplace_back(job->password);
        job->passwordFits = job->raw.size() >= kEncryptionHeaderSize &&
                            keys.back().checkHeader(job->raw.data(), job->checkByte);
        if (job->passwordFits)
            streams.push_back({&keys.back(), job->raw.data() + kEncryptionHeaderSize,
                               job->raw.size() - kEncryptionHeaderSize});
    }
    PkwareDecryptor::decryptInterleaved(streams.data(), streams.size());

    for (const auto& job : batch) {
        if (!job->passwordFits)
            continue;
        const std::size_t skip = job->encrypted ? kEncryptionHeaderSize : 0;
        try {
            job->decoded = decodeInMemory(workspace, job->coding, job->raw.data() + skip,
                                          job->raw.size() - skip, stop_);
        } catch (const DecodeAbandoned&) {
            return;
        } catch (...) {
            // Left to the reading thread, which decodes the entry itself and
            // meets the failure where it belongs.
        }
        job->raw = {};
    }
}

} // namespace qz::unzip
