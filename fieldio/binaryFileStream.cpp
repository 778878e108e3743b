// binaryFileStream: byte, short and long writes and reads, attaching and closing.
#include "fieldio/binaryFileStream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

binaryFileStream::binaryFileStream(int littleEndian)
    : littleEndian(littleEndian)
{}

void binaryFileStream::checkOpen()
{
    if (!good())
        std::perror("Opening error");
}

void binaryFileStream::reportError(const char* message)
{
    if (eof())
        std::perror(message);
}

void binaryFileStream::reportWriteFailure(const char* message, int errorNumber)
{
    if (writeFailureReported)
        return;
    writeFailureReported = true;
    // A stream that is not open for writing (or already failed) fails without a system call.
    std::fprintf(stderr, "%s: %s\n", message,
                 errorNumber != 0 ? std::strerror(errorNumber) : "Stream not writable");
}

void binaryFileStream::write_byte(std::uint8_t byte, const char* message)
{
    // A cleared (or reopened) stream reports its next failure again.
    if (!fail())
        writeFailureReported = false;
    errno = 0;
    put(static_cast<char>(byte));
    if (fail())
        reportWriteFailure(message, errno);
}

void binaryFileStream::write_short(std::uint16_t value)
{
    const auto lo = static_cast<std::uint8_t>(value & 0xFF);
    const auto hi = static_cast<std::uint8_t>(value >> 8);
    if (littleEndian) {
        write_byte(lo, "write_short, lo byte");
        write_byte(hi, "write_short, hi byte");
    } else {
        write_byte(hi, "write_short, hi byte");
        write_byte(lo, "write_short, lo byte");
    }
}

void binaryFileStream::write_long(std::uint32_t value)
{
    for (int k = 0; k < 4; ++k) {
        const int shift = littleEndian ? 8 * k : 8 * (3 - k);
        write_byte(static_cast<std::uint8_t>((value >> shift) & 0xFF), "write_long");
    }
}

void binaryFileStream::readBytes(std::uint8_t* values, int count, const char* message)
{
    for (int k = 0; k < count; ++k)
        values[k] = 0;
    for (int k = 0; k < count; ++k) {
        const int c = get();
        if (c == traits_type::eof()) {
            reportError(message);
            return;
        }
        values[k] = static_cast<std::uint8_t>(c);
    }
}

std::uint16_t binaryFileStream::read_short(const char* message)
{
    std::uint8_t b[2];
    readBytes(b, 2, message);
    if (littleEndian)
        return static_cast<std::uint16_t>(b[1] << 8 | b[0]);
    return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
}

std::uint32_t binaryFileStream::read_long(const char* message)
{
    std::uint8_t b[4];
    readBytes(b, 4, message);
    if (littleEndian)
        return std::uint32_t(b[3]) << 24 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[1]) << 8
               | b[0];
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
}

void binaryFileStream::attach(binaryFileStream& other)
{
    littleEndian = other.littleEndian;
    attached = true;
    std::ios::rdbuf(other.std::ios::rdbuf());
}

void binaryFileStream::detach()
{
    if (!attached)
        return;
    std::ios::rdbuf(std::fstream::rdbuf());
    attached = false;
}

void binaryFileStream::close()
{
    if (attached)
        return;
    if (!fail())
        writeFailureReported = false;
    std::filebuf* file = std::fstream::rdbuf();
    const bool wasOpen = file->is_open();
    errno = 0;
    const bool flushed = !wasOpen || file->pubsync() == 0;
    int error = errno;
    const bool closed = file->close() != nullptr;
    if (error == 0)
        error = errno;
    if (!flushed)
        setstate(std::ios::badbit);
    if (!closed)
        setstate(std::ios::failbit);
    if (wasOpen && !(flushed && closed))
        reportWriteFailure("close", error);
}

bool binaryFileStream::openReplacing(const QString& fileName)
{
    replacement = std::make_unique<replacingFile>(fileName);
    if (!replacement->isOpen()) {
        replacement.reset();
        return false;
    }
    std::fstream::open(replacement->temporaryPath().constData(),
                       std::ios::out | std::ios::binary | std::ios::trunc);
    if (!is_open()) {
        replacement.reset();
        return false;
    }
    return true;
}

bool binaryFileStream::commitReplacement()
{
    if (!replacement)
        return false;
    detach();
    // close() flushes and reports a failure once; a failed stream is never committed, and
    // resetting removes its temporary file.
    close();
    const bool ok = !fail() && replacement->commit();
    replacement.reset();
    return ok;
}
