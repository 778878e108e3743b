// The Diffractive Element File (".de", magic "DE20"): real and complex fields as a 36-byte
// header and one little-endian (re, im) float pair per element.
#pragma once

#include <QString>
#include <boost/shared_ptr.hpp>
#include <cstdint>

class DataField2D;
class complexDataField2D;

// Header, all numbers little-endian: "DE20" (no terminating zero), int32 sizeI, int32 sizeJ,
// float32 dx, float32 dy (metres), int32 0, int32 0, int32 sizeI, int32 sizeJ. The records
// follow for j = 0 .. sizeJ - 1 (outer) and i = 0 .. sizeI - 1 (inner): float32 re, float32 im.
// A file is 36 + 8 sizeI sizeJ bytes long.
constexpr int de20HeaderBytes = 36;
// The largest element count a reader allocates (2^28, a complex field of 2 GiB).
constexpr long long de20MaxElements = 1LL << 28;

// true when both sizes are above 0 and their product is at most de20MaxElements.
bool de20SizesAcceptable(int32_t sizeI, int32_t sizeJ);

// Writers. Every number is written little-endian, floats as
// IEEE single precision, whatever the host; pitches are rounded to float. The complex writer puts
// field element ((i - sizeI / 2) mod sizeI, (j - sizeJ / 2) mod sizeJ) at file position (i, j),
// so that element (0, 0), the zero frequency of a transformed field, lies at the file's centre;
// the real writer puts element (i, j) there, with 0.0 as its imaginary value.
// The file is written beside the target and replaces it only when complete: after any failure an
// existing file is as it was. A target that cannot be replaced (a FIFO, a device, a folder) or a
// temporary file that cannot be created shows errorMessage("Error when opening the file for
// writing\n" + name), a failed write, flush, sync, close or rename errorMessage("Error when
// writing the file\n" + name). Returns true when the whole file was written; false on failure
// (also for a null field, without a box).
bool saveDE20File(QString fileName, boost::shared_ptr<DataField2D> field);
bool saveComplexDE20File(QString fileName, boost::shared_ptr<complexDataField2D> field);

// Readers. Only an opened descriptor that is a regular file is read from (a FIFO, device or
// folder never is, also when swapped in under the name). An empty pointer after
// an "INFO" box, before anything is allocated, when the file cannot be opened ("Error when
// reading the file."), its first four bytes are not "DE20" exactly, it ends within the header,
// or the header's sizes are not acceptable. Values missing at the end of the file read as 0.0:
// the field is returned after a "WARNING" box with the number of missing values, the file
// position (i, j) of the last value read and that value ((-1,-1) and 0 when none was read).
// Bytes after the last record are ignored.
//
// The complex reader undoes the complex writer's order exactly: domain flag 0, the file's pitch.
boost::shared_ptr<complexDataField2D> readComplexDE20File(QString fileName);
// One part of each record at element (i, j), the file's order: part 1 the real part, 2 the
// imaginary part, 3 the modulus hypot(re, im), 4 the phase atan2(im, re), 5 the intensity
// re^2 + im^2; any other part leaves every element 0.0. Centre (0, 0), the file's pitch.
boost::shared_ptr<DataField2D> readDE20File(QString fileName, int part);
