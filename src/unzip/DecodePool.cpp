#include "unzip/DecodePool.h"

#include "platform/ThreadPriority.h"
#include "unzip/LittleEndian.h"
#include "unzip/decoders/PkwareDecryptor.h"

#include <algorithm>
#include <system_error>

namespace qz::unzip {

namespace {
// More threads than this gain little on the installer's archives and cost
// a workspace each.
constexpr int kMostThreads = 8;
constexpr std::size_t kLocalRecordSize = 30;
} // namespace

// The engine's thread keeps a core of its own: it writes every byte and runs
// the window's queue, and the whole run waits for it. The workers' lowered
// priority does not always protect it: Wine gives it no weight, and there a
// second worker on two cores made the installer half as slow again.
int DecodePool::threadsForThisProcessor() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 1, kMostThreads);
}

DecodePool::DecodePool(int threads, File* archive) : archive_(archive) {
    if (!archive_)
        threads = 0;
    try {
        for (int i = 0; i < threads; ++i)
            threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // The system has no more threads to give: fewer do the work, or none.
    }
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
    if (threads_.empty()) {
        job->finished = true; // nothing decoded: the entry is read again at its turn
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(job));
    }
    queued_.notify_one();
}

void DecodePool::wait(const DecodeJob& job, const std::function<void()>& whileWaiting) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!whileWaiting) {
        finished_.wait(lock, [&] { return job.finished; });
        return;
    }
    while (!finished_.wait_for(lock, std::chrono::milliseconds(20), [&] { return job.finished; })) {
        lock.unlock();
        whileWaiting();
        lock.lock();
    }
}

// The local record's name and extra field may differ in length from the
// central directory's, so it is read for where the data starts. The header
// of an encrypted entry is kept apart, so that the data's blocks hold the
// decoder's reads one to a block.
bool DecodePool::read(DecodeJob& job) {
    std::lock_guard<std::mutex> lock(archiveMutex_);
    std::uint8_t local[kLocalRecordSize];
    if (!archive_->seek(job.localHeaderOffset) ||
        archive_->read(local, sizeof local) != sizeof local ||
        !archive_->seek(job.localHeaderOffset + sizeof local + Get16(local + 26) +
                        Get16(local + 28)))
        return false;
    std::uint64_t left = job.storedSize;
    if (job.encrypted) {
        if (left < kEncryptionHeaderSize ||
            archive_->read(job.header, kEncryptionHeaderSize) != kEncryptionHeaderSize)
            return false;
        left -= kEncryptionHeaderSize;
    }
    job.raw.size = left;
    while (left > 0) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceSize));
        job.raw.blocks.push_back(blocks_.take());
        if (archive_->read(job.raw.blocks.back(), count) != count) {
            blocks_.giveBack(job.raw.blocks);
            job.raw.size = 0;
            return false;
        }
        left -= count;
    }
    return true;
}

namespace {

// An encrypted entry being decrypted, beside up to three others, one block
// of its data after the other.
struct Lane {
    std::shared_ptr<DecodeJob> job;
    PkwareDecryptor keys;
    PkwareDecryptor::Stream stream; // what is left of the block at hand
    std::size_t block = 0;

    // Moves on to the next block with bytes left; false when none has.
    bool nextBlock() {
        const BlockBytes& raw = job->raw;
        while (stream.count == 0 && ++block < raw.blocks.size()) {
            stream.data = raw.blocks[block];
            stream.count = static_cast<std::size_t>(
                std::min<std::uint64_t>(kPieceSize, raw.size - block * kPieceSize));
        }
        return stream.count > 0;
    }
};

} // namespace

// Encrypted entries are decrypted side by side in lanes; an entry that
// leaves its lane (all decrypted) is decoded and a queued entry takes its
// place, so the lanes stay full however the entries' sizes differ.
void DecodePool::work() {
    // The thread that writes the files is the one to wait for; decoding
    // further ahead can wait for it.
    lowerCurrentThreadPriority();
    DecoderWorkspace workspace;
    std::vector<Lane> lanes;
    lanes.reserve(PkwareDecryptor::kInterleaveWidth);
    std::vector<std::shared_ptr<DecodeJob>> taken;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (lanes.empty())
                queued_.wait(lock, [&] { return stop_ || !queue_.empty(); });
            if (stop_)
                return;
            // A fair share, so that the other threads are fed too.
            const std::size_t share = (queue_.size() + threads_.size() - 1) / threads_.size();
            const std::size_t take =
                std::min(share, PkwareDecryptor::kInterleaveWidth - lanes.size());
            taken.assign(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(take));
            queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(take));
        }
        for (std::shared_ptr<DecodeJob>& job : taken) {
            const bool whole = read(*job);
            if (!whole || !job->encrypted) {
                job->decodable = whole;
                if (!finish(*job, workspace))
                    return;
                continue;
            }
            PkwareDecryptor keys(job->password);
            job->decodable = keys.checkHeader(job->header, job->checkByte);
            if (!job->decodable) {
                finish(*job, workspace);
                continue;
            }
            const BlockBytes& raw = job->raw;
            PkwareDecryptor::Stream first{
                nullptr, raw.blocks.empty() ? nullptr : raw.blocks[0],
                static_cast<std::size_t>(std::min<std::uint64_t>(kPieceSize, raw.size))};
            lanes.push_back({std::move(job), keys, first});
        }
        taken.clear();
        if (lanes.empty())
            continue;

        // A step ends where the first lane's block does, so that the thread
        // soon looks again for new entries and for a stop.
        PkwareDecryptor::Stream streams[PkwareDecryptor::kInterleaveWidth];
        std::size_t step = kPieceSize;
        for (std::size_t i = 0; i < lanes.size(); ++i) {
            lanes[i].stream.keys = &lanes[i].keys;
            streams[i] = lanes[i].stream;
            step = std::min(step, streams[i].count);
        }
        PkwareDecryptor::decryptSideBySide(streams, lanes.size(), step);
        for (std::size_t i = 0; i < lanes.size(); ++i)
            lanes[i].stream = streams[i];
        for (auto lane = lanes.begin(); lane != lanes.end();) {
            if (lane->nextBlock()) {
                ++lane;
                continue;
            }
            if (!finish(*lane->job, workspace))
                return;
            lane = lanes.erase(lane);
        }
    }
}

bool DecodePool::finish(DecodeJob& job, DecoderWorkspace& workspace) {
    if (job.decodable) {
        try {
            job.decoded = decodeInMemory(workspace, job.coding, job.raw, stop_, blocks_);
        } catch (const DecodeAbandoned&) {
            return false; // the pool is going: nobody waits for the job
        } catch (...) {
            // Left to the engine's thread, which decodes the entry itself and
            // meets the failure where it belongs.
        }
    }
    blocks_.giveBack(job.raw.blocks);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job.finished = true;
    }
    finished_.notify_all();
    return true;
}

} // namespace qz::unzip
