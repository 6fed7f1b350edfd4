// Kernel figures of the ZIP reader: our inflate against zlib's (both with the
// CRC-32 of the output, as an extractor needs it), CRC-32 alone, and
// traditional decryption.
#include "unzip/decoders/Crc32.h"
#include "unzip/decoders/Decoder.h"
#include "unzip/decoders/PkwareDecryptor.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace qz::unzip;

std::string makeText(std::size_t size) {
    static const char* const words[] = {"problem ", "book ",  "the ",     "install ", "of ",
                                        "module ",  "\r\n",   "and ",     "working ", "folder ",
                                        "Pascal ",  "end; ",  "begin ",   "  ",       "x := x + 1;",
                                        "Result ",  "while ", "integer ", "(i, j) ",  "writeln "};
    std::mt19937 rng(1);
    std::string s;
    while (s.size() < size)
        s += words[rng() % std::size(words)];
    s.resize(size);
    return s;
}

// Mostly zeros with scattered values and short random stretches, like
// executables and data files.
std::string makeBinary(std::size_t size) {
    std::mt19937 rng(2);
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; i += 1 + rng() % 64)
        s[i] = static_cast<char>(rng());
    for (std::size_t i = 0; i + 300 < size; i += 4096 + rng() % 8192)
        for (std::size_t k = 0; k < 300; ++k)
            s[i + k] = static_cast<char>(rng());
    return s;
}

std::string deflateRaw(const std::string& in, int level) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&z, in.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        throw std::runtime_error("deflate");
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

struct Sample {
    std::string plain;
    std::string packed;
};

Sample makeSample(std::string plain) {
    std::string packed = deflateRaw(plain, 6);
    return {std::move(plain), std::move(packed)};
}

// 16 MiB of text or of binary data, deflated at zip's default level.
const Sample& sample(int which) {
    static const Sample text = makeSample(makeText(16 << 20));
    static const Sample binary = makeSample(makeBinary(16 << 20));
    return which == 0 ? text : binary;
}

class MemorySource : public ByteSource {
public:
    explicit MemorySource(const std::string& data) : data_(data) {}
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        const std::size_t n = std::min(count, data_.size() - pos_);
        std::memcpy(buffer, data_.data() + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const std::string& data_;
    std::size_t pos_ = 0;
};

class NullSink : public ByteSink {
public:
    bool write(const std::uint8_t*, std::size_t) override { return true; }
};

void inflateQz4(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)));
    DecoderWorkspace workspace;
    for (auto _ : state) {
        MemorySource source(s.packed);
        NullSink sink;
        const DecodeResult r = workspace.decode({8, 0, s.plain.size()}, source, sink);
        if (r.status != DecodeStatus::Done || r.written != s.plain.size())
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(r.crc);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.plain.size()));
    state.SetLabel(state.range(0) == 0 ? "text" : "binary");
}

void inflateZlib(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)));
    std::vector<unsigned char> out(kPieceSize);
    for (auto _ : state) {
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(s.packed.data()));
        z.avail_in = static_cast<uInt>(s.packed.size());
        uLong crc = crc32(0, nullptr, 0);
        int rc;
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            crc = crc32(crc, out.data(), static_cast<uInt>(out.size() - z.avail_out));
        } while (rc == Z_OK);
        if (rc != Z_STREAM_END)
            state.SkipWithError("zlib inflate failed");
        inflateEnd(&z);
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.plain.size()));
    state.SetLabel(state.range(0) == 0 ? "text" : "binary");
}

const std::string& megabytes() {
    static const std::string data = makeBinary(4 << 20);
    return data;
}

void crc32Qz4(benchmark::State& state) {
    const std::string& data = megabytes();
    for (auto _ : state) {
        Crc32 crc;
        crc.update(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
        benchmark::DoNotOptimize(crc.value());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.size()));
}

void crc32Zlib(benchmark::State& state) {
    const std::string& data = megabytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.size()));
}

void decrypt(benchmark::State& state) {
    std::string data = megabytes();
    PkwareDecryptor keys("7305118242913370012345678901234567");
    for (auto _ : state) {
        keys.decrypt(reinterpret_cast<std::uint8_t*>(data.data()), data.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.size()));
}

// The same bytes as entries side by side: four in general registers,
// sixteen in vector lanes where the processor has them.
void decryptSideBySide(benchmark::State& state) {
    std::string data = megabytes();
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::size_t share = data.size() / count;
    std::vector<PkwareDecryptor> keys(count, PkwareDecryptor("7305118242913370012345678901234567"));
    for (auto _ : state) {
        std::vector<PkwareDecryptor::Stream> streams;
        for (std::size_t i = 0; i < count; ++i)
            streams.push_back(
                {&keys[i], reinterpret_cast<std::uint8_t*>(data.data()) + i * share, share});
        PkwareDecryptor::decryptSideBySide(streams.data(), streams.size(), share);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(share * count));
}

BENCHMARK(inflateQz4)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(inflateZlib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(crc32Qz4)->Unit(benchmark::kMicrosecond);
BENCHMARK(crc32Zlib)->Unit(benchmark::kMicrosecond);
BENCHMARK(decrypt)->Unit(benchmark::kMicrosecond);
BENCHMARK(decryptSideBySide)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
