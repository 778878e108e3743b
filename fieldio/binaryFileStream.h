// binaryFileStream: a file stream of raw bytes with 16- and 32-bit integers in a chosen byte
// order.
#pragma once

#include "base/replacingFile.h"

#include <cstdint>
#include <fstream>
#include <memory>

// The owner opens the file (binary mode) and chooses the byte order. No operation stops or
// throws on its own: a failure is printed on the error output as perror does (the message, ": "
// and the C library's text for the failing call) and the state flags stay set, so callers see it
// in fail() / bad(). A failed write is printed once: the writes that follow it on the failed
// stream print nothing until the state is cleared (or the file reopened).
class binaryFileStream : public std::fstream
{
public:
    // littleEndian non-zero: least significant byte first; zero: most significant first.
    explicit binaryFileStream(int littleEndian = 0);

    int isLittleEndian() const { return littleEndian; }
    void setLittleEndian(int value) { littleEndian = value; }
    bool isAttached() const { return attached; }

    // Prints "Opening error" when the stream is not good (call it after opening).
    void checkOpen();
    // Prints the message when the stream has reached the end of the file; otherwise nothing.
    void reportError(const char* message);

    // Writes one byte; a failed write (fail() or bad() afterwards) prints the message unless a
    // failure of this stream was printed already.
    void write_byte(std::uint8_t byte, const char* message);
    // Low byte first when little-endian, high byte first otherwise.
    void write_short(std::uint16_t value);
    // Bits 0-7 first when little-endian, bits 24-31 first otherwise.
    void write_long(std::uint32_t value);

    // Reads 2 or 4 bytes, stopping at the first failed read, which calls reportError(message);
    // bytes not read count as 0.
    std::uint16_t read_short(const char* message);
    std::uint32_t read_long(const char* message);

    // Works on the other stream's current buffer and takes its byte order. When the other stream
    // has no buffer the state becomes bad (and throws if the exception mask asks for it).
    void attach(binaryFileStream& other);
    // Goes back to the stream's own file; the state flags are cleared.
    void detach();
    // Flushes and closes the own file; an attached stream does nothing. Bytes still buffered are
    // written only here, so a flush that fails sets the bad state and is printed with the
    // message "close" like any failed write; a failed close sets the fail state and is printed
    // the same way. Closing a stream that is not open only sets the fail state.
    void close();

    // Opens, for writing, a temporary file beside `fileName` that commitReplacement() puts in its
    // place; false when the target may not be replaced or nothing could be created there.
    bool openReplacing(const QString& fileName);
    // Closes the stream and replaces the target with what was written. false when a write, the
    // flush, the close or the rename failed: the temporary file is removed and an existing
    // target is left as it was.
    bool commitReplacement();

private:
    // Reads bytes into values[0 .. count - 1], most significant wherever the byte order puts
    // it; stops at the first failure, which is reported, and leaves the rest 0.
    void readBytes(std::uint8_t* values, int count, const char* message);
    // Prints "message: " and the text of errorNumber (a fixed text when the failing call set
    // none), once until the state is cleared.
    void reportWriteFailure(const char* message, int errorNumber);

    int littleEndian;
    bool attached = false;
    bool writeFailureReported = false;
    std::unique_ptr<replacingFile> replacement;
};
