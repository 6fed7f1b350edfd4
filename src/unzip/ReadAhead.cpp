#include "unzip/ReadAhead.h"

#include "unzip/decoders/PkwareDecryptor.h"

namespace qz::unzip {

namespace {
constexpr std::uint64_t kJobOverhead = 1024;
} // namespace

ReadAhead::ReadAhead(FileSystem& files, ZipArchive& archive, std::vector<int> order,
                     std::size_t budget, int threads, std::function<void()> whileWaiting)
    : archive_(archive), whileWaiting_(std::move(whileWaiting)),
      file_(files.open(archive.Name(), OpenMode::Read)), order_(std::move(order)), budget_(budget),
      pool_(threads, file_.get()) {}

std::uint64_t ReadAhead::cost(const TZipHeaderInfo& entry) {
    // The last block of the data and the last piece may each be almost empty.
    return std::uint64_t{entry.compressedSize} + entry.uncompressedSize + 2 * kPieceSize +
           kJobOverhead;
}

const RecordedDecode* ReadAhead::take(int index, const std::string& password) {
    while (next_ < order_.size() && order_[next_] < index)
        ++next_; // never read, never will be
    while (!entries_.empty() && entries_.front().index < index) {
        // A job still queued or decoding is waited for, so that the memory
        // it takes never leaves the budget's count.
        if (const auto& job = entries_.front().job) {
            pool_.wait(*job, whileWaiting_);
            if (job->decoded)
                pool_.blocks().giveBack(job->decoded->blocks);
        }
        held_ -= entries_.front().cost;
        entries_.pop_front();
    }
    fill(password);
    if (entries_.empty() || entries_.front().index != index || !entries_.front().job)
        return nullptr;
    const DecodeJob& job = *entries_.front().job;
    if (job.password != password && job.encrypted)
        return nullptr;
    pool_.wait(job, whileWaiting_);
    return job.decoded ? &*job.decoded : nullptr;
}

// Entries that are not read ahead still take their place in the queue, with
// no job and the cost of one, so that however many there are the queue stays
// within the budget.
void ReadAhead::fill(const std::string& password) {
    for (; next_ < order_.size(); ++next_) {
        const TZipHeaderInfo& entry = archive_.Entry(order_[next_]);
        const bool decodable = !entry.IsDirectory() && isSupportedMethod(entry.compressionMethod) &&
                               !(entry.flags & kFlagStrongEncryption) && cost(entry) <= budget_;
        const std::uint64_t share = decodable ? cost(entry) : kJobOverhead;
        if (held_ + share > budget_)
            break;
        std::shared_ptr<DecodeJob> job = decodable ? makeJob(entry, password) : nullptr;
        held_ += share;
        entries_.push_back({order_[next_], share, job});
        if (job)
            pool_.submit(std::move(job));
    }
}

std::shared_ptr<DecodeJob> ReadAhead::makeJob(const TZipHeaderInfo& entry,
                                              const std::string& password) {
    auto job = std::make_shared<DecodeJob>();
    job->localHeaderOffset = entry.relativeOffsetOfLocalHeader;
    job->storedSize = entry.compressedSize;
    job->coding = {entry.compressionMethod, entry.flags, entry.uncompressedSize};
    job->encrypted = entry.IsEncrypted();
    if (job->encrypted) {
        job->password = password;
        job->checkByte =
            PkwareDecryptor::checkByteFor(entry.flags, entry.crc32, entry.lastModFileDateTime);
    }
    return job;
}

} // namespace qz::unzip
