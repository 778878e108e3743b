// GDSII element streams read back from their bytes: the records (length, type, data) and the
// BOUNDARY elements they form, each checked against the stream format's rules.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace gdsiiTest {

struct Record
{
    int length = 0; // of the whole record, header included
    int type = 0;   // record type byte and data type byte
    QByteArray data;
};

// Big-endian fields of a record's data.
inline int field16(const QByteArray& data, int at)
{
    return (std::uint8_t(data[at]) << 8) | std::uint8_t(data[at + 1]);
}

inline std::int32_t field32(const QByteArray& data, int at)
{
    return std::int32_t(std::uint32_t(field16(data, at)) << 16
                        | std::uint32_t(field16(data, at + 2)));
}

// The records of a big-endian stream. A length below 4, an odd length or a record running past
// the end of the bytes fails the test and ends the list.
inline std::vector<Record> decodeRecords(const QByteArray& bytes)
{
    std::vector<Record> records;
    int at = 0;
    while (at < bytes.size()) {
        if (at + 4 > bytes.size()) {
            ADD_FAILURE() << "record header cut off at byte " << at;
            break;
        }
        Record record;
        record.length = field16(bytes, at);
        record.type = field16(bytes, at + 2);
        if (record.length < 4 || record.length % 2 != 0 || at + record.length > bytes.size()) {
            ADD_FAILURE() << "record of length " << record.length << " at byte " << at << " in "
                          << bytes.size() << " bytes";
            break;
        }
        record.data = bytes.mid(at + 4, record.length - 4);
        records.push_back(record);
        at += record.length;
    }
    return records;
}

using Points = std::vector<std::pair<std::int32_t, std::int32_t>>;

struct Boundary
{
    int layer = -1;
    int datatype = -1;
    Points points; // as stored, without the repeated first point
};

// The BOUNDARY elements of an element stream: each BOUNDARY (0x0800), LAYER (0x0D02), DATATYPE
// (0x0E02), XY (0x1003) and ENDEL (0x1100) in this order with their data sizes; an XY holds
// 5 to 8191 points, the last equal to the first. Anything else fails the test.
inline std::vector<Boundary> decodeBoundaries(const QByteArray& bytes)
{
    const std::vector<Record> records = decodeRecords(bytes);
    std::vector<Boundary> boundaries;
    const auto expectRecord = [&records](std::size_t k, int type, int length) {
        if (k >= records.size()) {
            ADD_FAILURE() << "element cut off before record " << k;
            return false;
        }
        EXPECT_EQ(records[k].type, type) << "record " << k;
        if (length > 0) {
            EXPECT_EQ(records[k].length, length) << "record " << k;
        }
        return records[k].type == type && (length <= 0 || records[k].length == length);
    };
    for (std::size_t k = 0; k < records.size(); k += 5) {
        if (!expectRecord(k, 0x0800, 4) || !expectRecord(k + 1, 0x0D02, 6)
            || !expectRecord(k + 2, 0x0E02, 6) || !expectRecord(k + 3, 0x1003, 0)
            || !expectRecord(k + 4, 0x1100, 4))
            break;
        Boundary b;
        b.layer = field16(records[k + 1].data, 0);
        b.datatype = field16(records[k + 2].data, 0);
        const QByteArray& xy = records[k + 3].data;
        EXPECT_EQ(xy.size() % 8, 0) << "record " << k + 3;
        for (int at = 0; at + 8 <= xy.size(); at += 8)
            b.points.emplace_back(field32(xy, at), field32(xy, at + 4));
        EXPECT_GE(b.points.size(), 5u) << "record " << k + 3;
        EXPECT_LE(b.points.size(), 8191u) << "record " << k + 3;
        if (b.points.empty())
            break;
        EXPECT_EQ(b.points.front(), b.points.back()) << "record " << k + 3;
        b.points.pop_back();
        boundaries.push_back(b);
    }
    return boundaries;
}

} // namespace gdsiiTest
