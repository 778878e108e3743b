// Helpers of the libFuzzer targets: a property check that stops the run, and parameters taken
// from a fixed-size block at the end of an input.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

// A property that must hold for every input; a violation aborts, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// An input read as payload followed by `count` parameter bytes. A shorter input is all
// parameters (missing bytes read 0) and has an empty payload.
class TrailingParameters
{
public:
    TrailingParameters(const std::uint8_t* data, std::size_t size, std::size_t count)
        : bytes(count, 0)
        , payloadData(data)
        , payloadSize(size >= count ? size - count : 0)
    {
        std::copy(data + payloadSize, data + size, bytes.begin());
    }

    const std::uint8_t* payload() const { return payloadData; }
    std::size_t size() const { return payloadSize; }

    std::uint8_t byte(std::size_t k) const { return bytes[k]; }
    std::int8_t signedByte(std::size_t k) const { return static_cast<std::int8_t>(bytes[k]); }
    std::uint16_t word(std::size_t k) const
    {
        return static_cast<std::uint16_t>(bytes[k] | (bytes[k + 1] << 8));
    }
    // lo .. hi (inclusive), spread over the byte's or word's values.
    int byteIn(std::size_t k, int lo, int hi) const { return lo + bytes[k] % (hi - lo + 1); }
    int wordIn(std::size_t k, int lo, int hi) const { return lo + word(k) % (hi - lo + 1); }

private:
    std::vector<std::uint8_t> bytes;
    const std::uint8_t* payloadData;
    std::size_t payloadSize;
};

// The seed folder named by a seed program's one argument, created when missing.
inline std::string seedFolder(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argc > 0 ? argv[0] : "seeds");
        std::exit(2);
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        std::exit(1);
    }
    return argv[1];
}

// Writes one seed file: the payload followed by its parameter block.
inline void writeSeed(const std::string& folder, const std::string& name,
                      const std::string& payload, const std::vector<std::uint8_t>& parameters = {})
{
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(payload.data(), static_cast<std::streamsize>(payload.size()));
    out.write(reinterpret_cast<const char*>(parameters.data()),
              static_cast<std::streamsize>(parameters.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write the seed %s/%s\n", folder.c_str(), name.c_str());
        std::exit(1);
    }
}

// A scratch file of this process for a target's inputs, in memory when the system has a
// writable /dev/shm (on a disk, closing the file dominates each run); removed when the process
// exits.
inline QString fuzzScratchName(const char* target, const char* tag, const char* suffix)
{
    static std::vector<QString> names;
    if (names.empty())
        std::atexit([] {
            for (const QString& name : names)
                QFile::remove(name);
        });
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString folder = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    names.push_back(folder
                    + QStringLiteral("/fuzz_%1_%2_%3%4")
                          .arg(QLatin1String(target))
                          .arg(qint64(::getpid()))
                          .arg(QLatin1String(tag))
                          .arg(QLatin1String(suffix)));
    return names.back();
}
