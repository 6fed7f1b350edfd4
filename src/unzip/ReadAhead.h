// The planning side of decoding ahead: hands the entries that come next to
// the decode pool while they fit in a fixed memory budget, and gives the
// engine each entry's decoded pieces at its turn. Runs on the engine's
// thread, between its own reads; the pool's threads read the compressed
// bytes through a handle of the archive that is opened here, so that the
// engine's buffered stream is left as it was and its thread does no more
// than write.
#pragma once

#include "platform/FileSystem.h"
#include "unzip/DecodePool.h"
#include "unzip/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qz::unzip {

class ReadAhead {
public:
    // order: the indices the run will extract, ascending. When the archive
    // cannot be opened a second time, nothing is read ahead. whileWaiting
    // runs every few milliseconds while take() waits for a decoding.
    ReadAhead(FileSystem& files, ZipArchive& archive, std::vector<int> order, std::size_t budget,
              int threads, std::function<void()> whileWaiting = {});

    // Entry index decoded with password, or nothing when the entry must be
    // extracted straight from the archive: it was not read ahead (too big
    // for the budget, a directory, a method without decoder, short data),
    // its password was another or does not fit, or the decoder threw.
    // Entries before index are dropped; the answer lives until the next call.
    const RecordedDecode* take(int index, const std::string& password);

    // An entry's share of the budget: its data in and out, the blocks they
    // leave part empty, and the job.
    static std::uint64_t cost(const TZipHeaderInfo& entry);

private:
    struct Held {
        int index;
        std::uint64_t cost;
        std::shared_ptr<DecodeJob> job;
    };
    void fill(const std::string& password);
    std::shared_ptr<DecodeJob> makeJob(const TZipHeaderInfo& entry, const std::string& password);

    ZipArchive& archive_;
    std::function<void()> whileWaiting_;
    std::unique_ptr<File> file_;
    std::vector<int> order_;
    std::size_t next_ = 0; // position in order_ of the next entry to read
    std::size_t budget_;
    std::uint64_t held_ = 0; // bytes of the budget the held entries take
    std::deque<Held> entries_;
    // Last: its threads stop before the jobs they might hold and the file
    // they read are freed.
    DecodePool pool_;
};

} // namespace qz::unzip
