#include "platform/host/PosixFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qz {
namespace {

class PosixFile : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override {
        if (fd_ >= 0)
            ::close(fd_);
    }
    std::size_t read(void* buffer, std::size_t count) override {
        return transfer(count, [&](std::size_t done) {
            return ::read(fd_, static_cast<char*>(buffer) + done, count - done);
        });
    }
    std::size_t write(const void* buffer, std::size_t count) override {
        return transfer(count, [&](std::size_t done) {
            return ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
        });
    }
    bool seek(std::uint64_t position) override {
        return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) >= 0;
    }
    std::uint64_t position() const override {
        off_t p = ::lseek(fd_, 0, SEEK_CUR);
        return p < 0 ? 0 : static_cast<std::uint64_t>(p);
    }
    std::uint64_t size() const override {
        struct stat st {};
        return ::fstat(fd_, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    }
    bool truncate() override { return ::ftruncate(fd_, ::lseek(fd_, 0, SEEK_CUR)) == 0; }
    std::optional<FileTime> lastWriteTime() const override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            return std::nullopt;
        return (static_cast<FileTime>(st.st_mtim.tv_sec) + 11644473600LL) * 10000000LL +
               st.st_mtim.tv_nsec / 100;
    }
    bool setLastWriteTime(FileTime time) override {
        FileTime unix100ns = time - 11644473600LL * 10000000LL;
        struct timespec times[2] = {{0, UTIME_OMIT}, {0, 0}};
        times[1].tv_sec = static_cast<time_t>(unix100ns / 10000000LL);
        times[1].tv_nsec = static_cast<long>((unix100ns % 10000000LL) * 100);
        if (times[1].tv_nsec < 0) {
            times[1].tv_nsec += 1000000000L;
            times[1].tv_sec -= 1;
        }
        return ::futimens(fd_, times) == 0;
    }
    bool close() override {
        int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    // Repeats a read or write until all is done, the end is reached or it fails.
    template <typename Step> static std::size_t transfer(std::size_t count, Step step) {
        std::size_t done = 0;
        while (done < count) {
            ssize_t n = step(done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }
    int fd_;
};

} // namespace

std::unique_ptr<File> MakePosixFile(int fd) {
    return std::make_unique<PosixFile>(fd);
}

} // namespace qz
