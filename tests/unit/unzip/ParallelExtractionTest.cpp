// Decoding ahead on worker threads must not show: every run here is made
// once with every entry decoded on the calling thread and again with worker
// threads (with budgets from roomy to tight), and the two must raise the same
// events with the same arguments, end the same way and leave the same files.
#include "TestSupport.h"
#include "ZipBuilder.h"
#include "unzip/Errors.h"
#include "unzip/QzUnZip.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <span>
#include <thread>
#include <typeinfo>

namespace qz {
namespace {

using test::ZipBuilder;

// What the handlers answer.
struct Script {
    std::string name;
    // Entries for which OnStartUnZip asks to skip.
    std::set<int> skipAtStart;
    // Files that exist before the run; OnPromptForOverwrite renames the
    // target of even entries and declines the others.
    std::vector<std::string> existing;
    // Answers of OnBadPassword in turn; after them it keeps the password.
    std::vector<std::string> passwords;
    // OnEndUnZip of this entry sets another password for the rest of the run.
    int changePasswordAfter = -1;
    // The event (counted from 1) whose handler calls Cancel; 0: none.
    int cancelAt = 0;
};

// What a run shows.
struct Outcome {
    std::vector<std::string> events;
    // Per event: whether the window's queue ran since the event before.
    std::vector<bool> queueRanBefore;
    bool queueRanOnAnotherThread = false;
    std::string end; // the count, or the error that ended the run
    std::map<std::string, std::string> files;

    bool operator==(const Outcome&) const = default;
};

struct Engine {
    int threads;
    std::size_t budget;
    bool processMessages = false; // as the installer's window runs it
};

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Outcome RunOnce(const std::string& archive, const Script& script, Engine engine) {
    const auto started = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    test::TestMachine m;
    registerUnzipStrings(m.resources);
    m.writeFile("C:\\a.zip", archive);
    for (const std::string& path : script.existing)
        m.writeFile(path, "old");
    Outcome outcome;
    std::vector<std::string>& log = outcome.events;
    TQzUnZip zip(m.platform);
    zip.DoAll = true;
    zip.RecreateDirs = true;
    zip.DoProcessMessages = engine.processMessages;
    zip.Password = "pw";
    zip.DecodeThreads = engine.threads;
    zip.DecodeAheadBudget = engine.budget;
    zip.SetZipName("C:\\a.zip");
    zip.SetDestDir("C:\\out");

    bool queueRan = false;
    m.dialogs.onProcessMessages = [&, caller = std::this_thread::get_id()] {
        queueRan = true;
        if (std::this_thread::get_id() != caller)
            outcome.queueRanOnAnotherThread = true;
    };
    std::size_t answers = 0;
    const auto event = [&](TQzUnZip& sender, std::string line) {
        log.push_back(std::move(line));
        outcome.queueRanBefore.push_back(std::exchange(queueRan, false));
        if (static_cast<int>(log.size()) == script.cancelAt)
            sender.Cancel();
    };
    zip.OnStartUnZipInfo = [&](TQzUnZip& s, int files, std::int64_t bytes, bool&) {
        event(s, "info " + std::to_string(files) + " " + std::to_string(bytes));
    };
    zip.OnFilePercentDone = [&](TQzUnZip& s, int p) { event(s, "file% " + std::to_string(p)); };
    zip.OnTotalPercentDone = [&](TQzUnZip& s, int p) { event(s, "total% " + std::to_string(p)); };
    zip.OnStartUnZip = [&](TQzUnZip& s, int i, const std::string& name, bool& skip) {
        event(s, "start " + std::to_string(i) + " " + name);
        skip = script.skipAtStart.count(i) > 0;
    };
    zip.OnEndUnZip = [&](TQzUnZip& s, int i, const std::string& name) {
        event(s, "end " + std::to_string(i) + " " + name);
        if (i == script.changePasswordAfter)
            s.Password = "other";
    };
    zip.OnPromptForOverwrite = [&](TQzUnZip& s, bool& overwrite, int i, std::string& name) {
        event(s, "prompt " + std::to_string(i) + " " + name);
        overwrite = i % 2 == 0;
        name += ".new";
    };
    zip.OnSkippingFile = [&](TQzUnZip& s, TSkipReason reason, const std::string& name, int i) {
        event(s, "skip " + std::to_string(static_cast<int>(reason)) + " " + name + " " +
                     std::to_string(i));
    };
    zip.OnBadPassword = [&](TQzUnZip& s, int i, std::string& password) {
        event(s, "password " + std::to_string(i) + " " + password);
        if (answers < script.passwords.size())
            password = script.passwords[answers++];
    };
    zip.OnBadCRC = [&](TQzUnZip& s, std::uint32_t calc, std::uint32_t stored, int i) {
        event(s, "crc " + std::to_string(calc) + " " + std::to_string(stored) + " " +
                     std::to_string(i));
    };
    try {
        outcome.end = std::to_string(zip.UnZip());
    } catch (const EUnzipError& e) {
        outcome.end = typeid(e).name() + std::string(": ") + e.what();
    }
    for (const MessageRequest& message : m.dialogs.messages)
        log.push_back("message " + message.caption + ": " + message.text);
    const std::filesystem::path out = m.root / "C" / "out";
    if (!std::filesystem::exists(out))
        return outcome;
    for (const auto& item : std::filesystem::recursive_directory_iterator(out)) {
        const std::string name = std::filesystem::relative(item.path(), out).string();
        if (item.is_directory()) {
            outcome.files[name + "/"] = "";
            continue;
        }
        // Files the run finished carry the entry's date; the others (old
        // ones, skipped at the start) the date of the test.
        const auto date = item.last_write_time();
        outcome.files[name] =
            FileBytes(item.path()) +
            (date < started ? " @" + std::to_string(date.time_since_epoch().count()) : "");
    }
    return outcome;
}

// The names of the files that differ, with the size each run left.
std::string Differences(const std::map<std::string, std::string>& a,
                        const std::map<std::string, std::string>& b) {
    std::set<std::string> names;
    for (const auto* files : {&a, &b})
        for (const auto& [name, bytes] : *files)
            names.insert(name);
    std::string differ;
    const auto size = [](const std::map<std::string, std::string>& files, const std::string& n) {
        auto it = files.find(n);
        return it == files.end() ? std::string("none") : std::to_string(it->second.size());
    };
    for (const std::string& name : names)
        if (a.count(name) != b.count(name) || (a.count(name) && a.at(name) != b.at(name)))
            differ += name + " (" + size(a, name) + " / " + size(b, name) + ") ";
    return differ;
}

// Worker threads with room for every entry, with a budget that holds a few
// small entries and decodes the biggest here, and with one that holds about
// one small entry at a time.
const Engine kEngines[] = {{2, std::size_t{64} << 20}, {3, 120000}, {1, 20000}};

void ExpectSameAsSerial(const std::string& archive, const Script& script,
                        std::size_t engines = std::size(kEngines)) {
    SCOPED_TRACE(script.name + ", cancel at " + std::to_string(script.cancelAt));
    const Outcome serial = RunOnce(archive, script, {0, 0});
    for (const Engine& engine : std::span(kEngines).first(engines)) {
        SCOPED_TRACE(std::to_string(engine.threads) + " threads, budget " +
                     std::to_string(engine.budget));
        const Outcome parallel = RunOnce(archive, script, engine);
        EXPECT_EQ(parallel.end, serial.end);
        EXPECT_EQ(parallel.events, serial.events);
        EXPECT_EQ(Differences(parallel.files, serial.files), "");
    }
}

// A deflate stream of stored blocks (at most 65535 bytes each), so that
// deflated entries need no compressor here.
std::string StoredBlocks(const std::string& data) {
    std::string out;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, data.size() - at);
        out += static_cast<char>(at + n == data.size() ? 1 : 0);
        ZipBuilder::put16(out, static_cast<std::uint16_t>(n));
        ZipBuilder::put16(out, static_cast<std::uint16_t>(~n));
        out += data.substr(at, n);
        at += n;
    } while (at < data.size());
    return out;
}

std::string Pattern(std::size_t size, int seed) {
    std::string s(size, '\0');
    std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
    for (char& c : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return s;
}

// Every kind of entry the engine treats apart, encrypted and not.
std::string MixedArchive() {
    ZipBuilder b;
    b.add("empty.txt", "");
    b.add("one.txt", "1");
    b.add("piece.bin", Pattern(16000, 1));
    b.add("dir\\", "");
    b.add("dir\\stored.bin", Pattern(50001, 2));
    auto& deflated = b.add("dir\\deflated.bin", StoredBlocks(Pattern(70000, 3)));
    deflated.method = 8;
    deflated.crc = test::crc32Of(Pattern(70000, 3));
    deflated.uncompressedSize = 70000;
    b.add("locked.txt", Pattern(40000, 4)).password = "pw";
    b.add("other.txt", Pattern(30000, 5)).password = "other";
    b.add("bad.txt", Pattern(20000, 6)).crc = 1;
    auto& badLocked = b.add("badlocked.txt", Pattern(20000, 7));
    badLocked.password = "pw";
    badLocked.crc = 0x12345678; // the check byte stays right, the data's CRC does not
    auto& longer = b.add("longer.bin", Pattern(50000, 8));
    longer.uncompressedSize = 33000;
    auto& corrupt = b.add("corrupt.bin", std::string("\x07\x00\x00", 3) + Pattern(5000, 9));
    corrupt.method = 8;
    corrupt.uncompressedSize = 9000;
    b.add("unknown.bin", "??").method = 99;
    b.add("..\\evil.txt", "evil");
    b.add("big.bin", Pattern(130000, 10));
    auto& bigLocked = b.add("dir\\biglocked.bin", Pattern(100000, 11));
    bigLocked.password = "pw";
    b.add("last.txt", "the end").password = "pw";
    return b.bytes();
}

const std::vector<Script>& Scripts() {
    static const std::vector<Script> scripts = {
        {"no answers", {}, {}, {}, -1, 0},
        {"skips and passwords", {1, 4, 16}, {}, {"other", "pw", "other"}, -1, 0},
        {"overwrites and renames",
         {},
         {"C:\\out\\one.txt", "C:\\out\\piece.bin", "C:\\out\\dir\\stored.bin",
          "C:\\out\\locked.txt", "C:\\out\\big.bin"},
         {"other"},
         -1,
         0},
        {"password changed by a handler", {}, {}, {"pw"}, 4, 0},
    };
    return scripts;
}

TEST(ParallelExtractionTest, GeneratedArchiveAsOnOneThread) {
    const std::string archive = MixedArchive();
    for (const Script& script : Scripts())
        ExpectSameAsSerial(archive, script);
}

// Enough encrypted entries to fill the vector lanes, of sizes around the
// lanes' 16-byte rows and the 16000-byte blocks, so that entries join and
// leave the lanes in the middle of each other's blocks; one has a wrong CRC.
TEST(ParallelExtractionTest, ManyEncryptedEntriesAsOnOneThread) {
    ZipBuilder b;
    const std::size_t sizes[] = {0, 1, 15, 16, 17, 31, 4000, 15999, 16000, 16001, 32017, 47999};
    for (int round = 0; round < 4; ++round)
        for (std::size_t size : sizes) {
            const int seed = round * 100 + static_cast<int>(size % 97);
            auto& entry = b.add("e" + std::to_string(round) + "_" + std::to_string(size) + ".bin",
                                Pattern(size + static_cast<std::size_t>(round), seed));
            entry.password = "pw";
        }
    auto& damaged = b.add("damaged.bin", Pattern(20000, 12));
    damaged.password = "pw";
    damaged.crc = test::crc32Of(Pattern(20000, 12)) ^ 1; // the check byte stays right
    ExpectSameAsSerial(b.bytes(), Scripts()[0]);
}

// The installer's window keeps its queue running through the extraction:
// the events stay those of one thread, and the queue runs on the calling
// thread wherever it ran there (and more while a decoding is waited for).
TEST(ParallelExtractionTest, TheWindowsQueueRunsAsOnOneThread) {
    const std::string archive = MixedArchive();
    for (const Script& script : Scripts()) {
        SCOPED_TRACE(script.name);
        const Outcome serial = RunOnce(archive, script, {0, 0, true});
        for (Engine engine : kEngines) {
            SCOPED_TRACE(std::to_string(engine.threads) + " threads, budget " +
                         std::to_string(engine.budget));
            engine.processMessages = true;
            const Outcome parallel = RunOnce(archive, script, engine);
            EXPECT_EQ(parallel.end, serial.end);
            ASSERT_EQ(parallel.events, serial.events);
            EXPECT_EQ(Differences(parallel.files, serial.files), "");
            EXPECT_FALSE(parallel.queueRanOnAnotherThread);
            for (std::size_t i = 0; i < serial.queueRanBefore.size(); ++i) {
                if (serial.queueRanBefore[i]) {
                    EXPECT_TRUE(parallel.queueRanBefore[i]) << parallel.events[i];
                }
            }
        }
    }
}

TEST(ParallelExtractionTest, CancelAtEveryEvent) {
    const std::string archive = MixedArchive();
    // Without answers, and with the password changing under the entries
    // read ahead.
    for (Script script : {Scripts()[0], Scripts()[3]}) {
        const std::size_t events = RunOnce(archive, script, {0, 0}).events.size();
        ASSERT_GT(events, 50u);
        // The roomy budget and the one that decodes the biggest entries here.
        for (script.cancelAt = 1; script.cancelAt <= static_cast<int>(events); ++script.cancelAt)
            ExpectSameAsSerial(archive, script, 2);
    }
}

TEST(ParallelExtractionTest, DamagedArchivesAsOnOneThread) {
    const std::string whole = MixedArchive();
    const std::size_t central = whole.find("PK\x01\x02");
    // The data of the last entries cut off, the directory kept: the
    // engine meets the end of the archive inside an entry.
    std::string cut = whole.substr(0, central - 150000) + whole.substr(central);
    for (const Script& script : Scripts()) {
        ExpectSameAsSerial(cut, script);
        ExpectSameAsSerial(whole.substr(0, central), script); // no directory at all
    }
}

TEST(ParallelExtractionTest, FixturesAsOnOneThread) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        SCOPED_TRACE(item.path().filename().string());
        ExpectSameAsSerial(FileBytes(item.path()), Scripts()[1]);
    }
}

TEST(ParallelExtractionTest, ArchivesOfARealWriterAsOnOneThread) {
    test::TestMachine m;
    const std::filesystem::path tree = m.root / "tree";
    for (int i = 0; i < 40; ++i) {
        std::filesystem::create_directories(tree / std::to_string(i % 4));
        std::string text;
        for (int line = 0; line < 40 * (i + 1); ++line)
            text += "line " + std::to_string(line * 7919 % 1000) + " of file " + std::to_string(i) +
                    "\n";
        std::ofstream(tree / std::to_string(i % 4) / ("f" + std::to_string(i)), std::ios::binary)
            << (i % 3 == 0 ? Pattern(static_cast<std::size_t>(i) * 3000, i) : text);
    }
    for (const char* options : {"-6", "-1 -P pw", "-9 -P other"}) {
        SCOPED_TRACE(options);
        const std::string command =
            "cd '" + tree.string() + "' && zip -qr " + options + " ../made.zip . >/dev/null 2>&1";
        std::filesystem::remove(m.root / "made.zip");
        if (std::system(command.c_str()) != 0)
            GTEST_SKIP() << "zip is not available";
        const std::string archive = FileBytes(m.root / "made.zip");
        ExpectSameAsSerial(archive, Scripts()[1]);
        Script cancel = Scripts()[0];
        for (cancel.cancelAt = 1; cancel.cancelAt < 400; cancel.cancelAt += 97)
            ExpectSameAsSerial(archive, cancel);
    }
}

} // namespace
} // namespace qz
