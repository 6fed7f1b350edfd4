#include "DiscardingFileSystem.h"

#include <algorithm>

namespace qz::tool {
namespace {

// Takes every byte and keeps none.
class DiscardedFile : public File {
public:
    std::size_t read(void*, std::size_t) override { return 0; }
    std::size_t write(const void*, std::size_t count) override {
        position_ += count;
        size_ = std::max(size_, position_);
        return count;
    }
    bool seek(std::uint64_t position) override {
        position_ = position;
        return true;
    }
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return size_; }
    bool truncate() override {
        size_ = position_;
        return true;
    }
    std::optional<FileTime> lastWriteTime() const override { return std::nullopt; }
    bool setLastWriteTime(FileTime) override { return true; }
    bool close() override { return true; }

private:
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace

std::unique_ptr<File> DiscardingFileSystem::open(const std::string& path, OpenMode mode) {
    if (mode == OpenMode::Read)
        return real_.open(path, mode);
    return std::make_unique<DiscardedFile>();
}

} // namespace qz::tool
