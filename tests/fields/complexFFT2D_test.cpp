// The 2-D FFT package: the transform against a direct DFT on both vector paths, its scaling and
// sign, table reuse, work areas of exactly the minimum size, the agreement of the two paths, the
// row allocator and its failure exit.
#include "fields/complexFFT2D.h"

#include "support/vectorPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define PD_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define PD_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define PD_POISON(p, n) ((void)(p), (void)(n))
#define PD_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

using cd = std::complex<double>;

// Relative RMS error allowed against the exact transform: single precision with some headroom;
// a wrong twiddle, sign or permutation gives errors of order 1.
constexpr double tolerance = 2e-6;

// A work area of exactly n elements from allocFloatArray1D, followed by guard elements holding a
// canary pattern; under AddressSanitizer the guard is also poisoned, so that reads beyond n fail.
template<typename T>
class GuardedArea
{
public:
    explicit GuardedArea(int n)
        : size(n)
    {
        data = static_cast<T*>(allocFloatArray1D(n + guard));
        for (int i = 0; i < n + guard; ++i)
            std::memcpy(data + i, &canary, sizeof(T));
        PD_POISON(data + n, sizeof(T) * guard);
    }
    ~GuardedArea()
    {
        PD_UNPOISON(data + size, sizeof(T) * guard);
        std::free(data);
    }
    GuardedArea(const GuardedArea&) = delete;
    GuardedArea& operator=(const GuardedArea&) = delete;

    T* get() { return data; }
    bool guardIntact()
    {
        PD_UNPOISON(data + size, sizeof(T) * guard);
        bool intact = true;
        for (int i = size; i < size + guard; ++i)
            intact = intact && std::memcmp(data + i, &canary, sizeof(T)) == 0;
        PD_POISON(data + size, sizeof(T) * guard);
        return intact;
    }

private:
    static constexpr int guard = 16;
    static constexpr std::uint32_t canary = 0x7fc0dead; // a NaN as float
    T* data;
    int size;
};

// ip, w and (optionally) t of exactly the stated minimum sizes for n1 x n2, with ip[0] = 0.
struct WorkAreas
{
    WorkAreas(int n1, int n2)
        : ip(complexFFT2DIpSize(n1, n2))
        , w(complexFFT2DTableSize(n1, n2))
        , t(complexFFT2DColumnBufferSize(n1, n2))
    {
        ip.get()[0] = 0;
    }
    void expectGuardsIntact()
    {
        EXPECT_TRUE(ip.guardIntact()) << "ip written beyond its minimum size";
        EXPECT_TRUE(w.guardIntact()) << "w written beyond its minimum size";
        EXPECT_TRUE(t.guardIntact()) << "t written beyond its minimum size";
    }
    GuardedArea<int> ip;
    GuardedArea<float> w;
    GuardedArea<float> t;
};

// An n1 x (2 m) row array from allocFloatArray2D holding n1 x m complex values.
class RowArray
{
public:
    RowArray(int n1, int m)
        : n1(n1)
        , m(m)
        , a(allocFloatArray2D(n1, 2 * m))
    {}
    ~RowArray() { freeFloatArray2D(a); }
    RowArray(const RowArray&) = delete;
    RowArray& operator=(const RowArray&) = delete;

    void set(const std::vector<cd>& values)
    {
        for (int r = 0; r < n1; ++r)
            for (int k = 0; k < m; ++k) {
                a[r][2 * k] = float(values[size_t(r) * m + k].real());
                a[r][2 * k + 1] = float(values[size_t(r) * m + k].imag());
            }
    }
    std::vector<cd> values() const
    {
        std::vector<cd> v(size_t(n1) * m);
        for (int r = 0; r < n1; ++r)
            for (int k = 0; k < m; ++k)
                v[size_t(r) * m + k] = cd(a[r][2 * k], a[r][2 * k + 1]);
        return v;
    }
    std::vector<float> floats() const { return std::vector<float>(a[0], a[0] + 2 * n1 * m); }

    const int n1;
    const int m;
    float** const a;
};

std::vector<cd> randomValues(size_t count, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<cd> v(count);
    for (cd& z : v) {
        const double re = dist(gen);
        z = cd(re, dist(gen));
    }
    return v;
}

// Values as stored in single precision, so that the exact transform starts from the same data.
std::vector<cd> roundedToFloat(std::vector<cd> v)
{
    for (cd& z : v)
        z = cd(float(z.real()), float(z.imag()));
    return v;
}

// Direct DFT in double of count sequences of length n, element i of sequence s at
// x[s * seqStride + i * stride], kernel exp(sign 2 pi i jk / n).
void directDFT(std::vector<cd>& x, int n, int count, size_t stride, size_t seqStride, int sign)
{
    std::vector<cd> kernel(n), out(n);
    for (int k = 0; k < n; ++k)
        kernel[k] = std::polar(1.0, sign * 2.0 * M_PI * k / n);
    for (int s = 0; s < count; ++s) {
        cd* base = x.data() + size_t(s) * seqStride;
        for (int k = 0; k < n; ++k) {
            cd sum = 0;
            for (int j = 0; j < n; ++j)
                sum += base[size_t(j) * stride] * kernel[size_t(j) * k % n];
            out[k] = sum;
        }
        for (int k = 0; k < n; ++k)
            base[size_t(k) * stride] = out[k];
    }
}

// The exact 2-D transform of n1 x m row-major values (the sum over both indices, done axis by
// axis).
std::vector<cd> directDFT2D(std::vector<cd> x, int n1, int m, int sign)
{
    directDFT(x, m, n1, 1, m, sign);
    directDFT(x, n1, m, m, 1, sign);
    return x;
}

double relativeError(const std::vector<cd>& actual, const std::vector<cd>& expected)
{
    double err = 0, norm = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        err += std::norm(actual[i] - expected[i]);
        norm += std::norm(expected[i]);
    }
    return norm > 0 ? std::sqrt(err / norm) : std::sqrt(err);
}

std::string sizeName(int n1, int m, int isgn)
{
    return std::to_string(n1) + " x " + std::to_string(m) + " values, isgn " + std::to_string(isgn);
}

// The first float at or after p that lies shift floats past a 64-byte boundary (p must have
// 16 + shift floats to spare).
float* offBoundary(float* p, int shift)
{
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t boundary = (address + 63) / 64 * 64;
    return p + (boundary - address) / sizeof(float) + shift;
}

// Both ways of calling complexFFT2D: with its own column buffer and with the caller's.
enum class Buffer { own, caller };

void transform2D(RowArray& x, int isgn, WorkAreas& work, Buffer buffer)
{
    complexFFT2D(x.n1, 2 * x.m, isgn, x.a, buffer == Buffer::caller ? work.t.get() : nullptr,
                 work.ip.get(), work.w.get());
}

// n1 x m complex values.
struct ArraySize
{
    int n1;
    int m;
};

// Calls check(size, isgn, buffer) for every size, both signs and both buffer modes.
template<typename Check>
void forEverySignAndBuffer(std::initializer_list<ArraySize> sizes, Check check)
{
    for (const ArraySize& s : sizes)
        for (int isgn : {1, -1})
            for (Buffer buffer : {Buffer::own, Buffer::caller}) {
                SCOPED_TRACE(sizeName(s.n1, s.m, isgn));
                check(s, isgn, buffer);
            }
}

// Transforms random data of n1 x m values with fresh minimum-size work areas and compares with
// the exact transform.
void expectMatchesDirectDFT(int n1, int m, int isgn, Buffer buffer)
{
    SCOPED_TRACE(sizeName(n1, m, isgn)
                 + (buffer == Buffer::caller ? ", caller's buffer" : ", own buffer"));
    const std::vector<cd> input = roundedToFloat(randomValues(size_t(n1) * m, n1 * 131 + m));
    RowArray x(n1, m);
    x.set(input);
    WorkAreas work(n1, 2 * m);
    transform2D(x, isgn, work, buffer);
    EXPECT_LT(relativeError(x.values(), directDFT2D(input, n1, m, isgn)), tolerance);
    work.expectGuardsIntact();
}

// The transform tests run on both vector paths.
class ComplexFFT2DTest : public vectorPathTest
{
};
class ComplexFFT1DTest : public vectorPathTest
{
};
class ComplexFFT2DColumnsTest : public vectorPathTest
{
};

INSTANTIATE_TEST_SUITE_P(paths, ComplexFFT2DTest, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);
INSTANTIATE_TEST_SUITE_P(paths, ComplexFFT1DTest, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);
INSTANTIATE_TEST_SUITE_P(paths, ComplexFFT2DColumnsTest, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);

TEST_P(ComplexFFT2DTest, MatchesDirectDFTForEveryPairOfSmallSizes)
{
    for (int b1 = 0; b1 <= 7; ++b1)
        for (int b2 = 0; b2 <= 7; ++b2)
            for (int isgn : {1, -1})
                for (Buffer buffer : {Buffer::own, Buffer::caller})
                    expectMatchesDirectDFT(1 << b1, 1 << b2, isgn, buffer);
}

// Long rows and columns, where the kernels split a vector into blocks and the 2-D transform
// groups rows and columns differently.
TEST_P(ComplexFFT2DTest, MatchesDirectDFTOnLongRowsAndColumns)
{
    const struct
    {
        int n1;
        int m;
    } sizes[]
        = {{1, 4096}, {2, 2048}, {4, 1024}, {2048, 1}, {2048, 2}, {1024, 16}, {2048, 8}, {512, 64}};
    for (const auto& s : sizes)
        for (Buffer buffer : {Buffer::own, Buffer::caller}) {
            expectMatchesDirectDFT(s.n1, s.m, 1, buffer);
            expectMatchesDirectDFT(s.n1, s.m, -1, buffer);
        }
}

struct KnownCase
{
    const char* name;
    int n1;
    int m;
    int isgn;
    std::vector<cd> input;
    std::vector<cd> expected;
};

const cd i1(0, 1);

TEST_P(ComplexFFT2DTest, KnownTransforms)
{
    const KnownCase cases[] = {
        {"one value is left unchanged", 1, 1, 1, {{2.5, -1.5}}, {{2.5, -1.5}}},
        {"one value, negative sign", 1, 1, -1, {{2.5, -1.5}}, {{2.5, -1.5}}},
        {"two values: sum and difference", 1, 2, 1, {{1, 2}, {3, 5}}, {{4, 7}, {-2, -3}}},
        {"row delta, positive sign", 1, 4, 1, {1, 0, 0, 0}, {1, 1, 1, 1}},
        {"row delta, negative sign", 1, 4, -1, {1, 0, 0, 0}, {1, 1, 1, 1}},
        {"shifted row delta, positive sign", 1, 4, 1, {0, 1, 0, 0}, {1, i1, -1.0, -i1}},
        {"shifted row delta, negative sign", 1, 4, -1, {0, 1, 0, 0}, {1, -i1, -1.0, i1}},
        {"shifted column delta, positive sign", 4, 1, 1, {0, 1, 0, 0}, {1, i1, -1.0, -i1}},
        {"shifted column delta, negative sign", 4, 1, -1, {0, 1, 0, 0}, {1, -i1, -1.0, i1}},
        {"isgn 0 counts as positive", 1, 4, 0, {0, 1, 0, 0}, {1, i1, -1.0, -i1}},
        {"2 x 2 delta at (1, 1)", 2, 2, 1, {0, 0, 0, 1}, {1, -1.0, -1.0, 1}},
    };
    for (const KnownCase& c : cases) {
        SCOPED_TRACE(c.name);
        RowArray x(c.n1, c.m);
        x.set(c.input);
        WorkAreas work(c.n1, 2 * c.m);
        transform2D(x, c.isgn, work, Buffer::own);
        const std::vector<cd> got = x.values();
        for (size_t k = 0; k < got.size(); ++k) {
            EXPECT_NEAR(got[k].real(), c.expected[k].real(), 1e-6) << "value " << k;
            EXPECT_NEAR(got[k].imag(), c.expected[k].imag(), 1e-6) << "value " << k;
        }
        work.expectGuardsIntact();
    }
}

// A delta at (0, 0) gives ones everywhere; a constant gives n1 m at (0, 0) and zeros elsewhere.
TEST_P(ComplexFFT2DTest, DeltaAndConstant)
{
    const struct
    {
        int n1;
        int m;
    } sizes[] = {{4, 4}, {1, 64}, {64, 1}, {8, 32}, {256, 16}};
    for (const auto& s : sizes)
        for (int isgn : {1, -1}) {
            SCOPED_TRACE(sizeName(s.n1, s.m, isgn));
            const size_t count = size_t(s.n1) * s.m;
            std::vector<cd> delta(count, 0.0);
            delta[0] = 1.0;
            RowArray x(s.n1, s.m);
            x.set(delta);
            WorkAreas work(s.n1, 2 * s.m);
            transform2D(x, isgn, work, Buffer::own);
            for (const cd& z : x.values()) {
                ASSERT_NEAR(z.real(), 1.0, 1e-6);
                ASSERT_NEAR(z.imag(), 0.0, 1e-6);
            }

            x.set(std::vector<cd>(count, 1.0));
            transform2D(x, isgn, work, Buffer::own);
            const std::vector<cd> got = x.values();
            EXPECT_NEAR(got[0].real(), double(count), 1e-6 * count);
            EXPECT_NEAR(got[0].imag(), 0.0, 1e-6 * count);
            for (size_t k = 1; k < count; ++k)
                ASSERT_LT(std::abs(got[k]), 1e-5) << "value " << k;
            work.expectGuardsIntact();
        }
}

// +1 then -1 (and -1 then +1) gives the data times n1 n2 / 2 = n1 m.
TEST_P(ComplexFFT2DTest, ForwardThenBackwardScalesByTheNumberOfValues)
{
    const struct
    {
        int n1;
        int m;
    } sizes[] = {{1, 8}, {8, 1}, {2, 512}, {512, 4}, {32, 64}, {1, 1}};
    for (const auto& s : sizes)
        for (int first : {1, -1}) {
            SCOPED_TRACE(sizeName(s.n1, s.m, first) + " first");
            const std::vector<cd> input = randomValues(size_t(s.n1) * s.m, 7);
            RowArray x(s.n1, s.m);
            x.set(input);
            const std::vector<cd> stored = x.values();
            WorkAreas work(s.n1, 2 * s.m);
            transform2D(x, first, work, Buffer::own);
            transform2D(x, -first, work, Buffer::caller);
            std::vector<cd> scaled = stored;
            for (cd& z : scaled)
                z *= double(s.n1) * s.m;
            EXPECT_LT(relativeError(x.values(), scaled), tolerance);
            work.expectGuardsIntact();
        }
}

// Every pair of power-of-two sizes up to 2^14 values, with work areas of exactly the minimum size
// (checked by the guards, and under AddressSanitizer for reads too), both buffer modes.
TEST_P(ComplexFFT2DTest, StaysInsideMinimumWorkAreasForEveryPairOfSizes)
{
    for (int b1 = 0; b1 <= 12; ++b1)
        for (int b2 = 0; b2 <= 12 && b1 + b2 <= 14; ++b2)
            for (Buffer buffer : {Buffer::own, Buffer::caller}) {
                const int n1 = 1 << b1, m = 1 << b2;
                SCOPED_TRACE(sizeName(n1, m, 1));
                const std::vector<cd> input = randomValues(size_t(n1) * m, 3);
                RowArray x(n1, m);
                x.set(input);
                const std::vector<cd> stored = x.values();
                WorkAreas work(n1, 2 * m);
                transform2D(x, 1, work, buffer);
                transform2D(x, -1, work, buffer);
                work.expectGuardsIntact();
                std::vector<cd> scaled = stored;
                for (cd& z : scaled)
                    z *= double(n1) * m;
                ASSERT_LT(relativeError(x.values(), scaled), tolerance);
            }
}

TEST(ComplexFFT2DWorkAreaTest, MinimumWorkAreaSizes)
{
    const struct
    {
        int n1;
        int n2;
        int ip;
        int w;
        int t;
    } cases[] = {
        {1, 2, 3, 0, 2},        {4, 2, 4, 2, 8},
        {1, 8, 4, 2, 8},        {8, 4, 4, 4, 32},
        {4, 16, 4, 4, 32},      {512, 8, 24, 256, 4096},
        {2, 1024, 24, 256, 16}, {1024, 2048, 34, 512, 8192},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.n1) + " x " + std::to_string(c.n2));
        EXPECT_EQ(complexFFT2DIpSize(c.n1, c.n2), c.ip);
        EXPECT_EQ(complexFFT2DTableSize(c.n1, c.n2), c.w);
        EXPECT_EQ(complexFFT2DColumnBufferSize(c.n1, c.n2), c.t);
    }
}

// A table built for a longer length serves shorter transforms with the same result, and is kept;
// a longer transform rebuilds it.
TEST_P(ComplexFFT2DTest, TablesBuiltForALongerLengthGiveTheSameResult)
{
    const int longN1 = 64, longM = 2048;
    WorkAreas shared(longN1, 2 * longM);
    RowArray big(longN1, longM);
    big.set(randomValues(size_t(longN1) * longM, 11));
    transform2D(big, 1, shared, Buffer::own);
    const int longTable = shared.ip.get()[0];
    EXPECT_EQ(longTable, complexFFT2DTableSize(longN1, 2 * longM));

    const struct
    {
        int n1;
        int m;
    } sizes[] = {{16, 32}, {64, 8}, {1, 2048}, {64, 1}, {2, 2}};
    for (const auto& s : sizes)
        for (int isgn : {1, -1})
            for (Buffer buffer : {Buffer::own, Buffer::caller}) {
                SCOPED_TRACE(sizeName(s.n1, s.m, isgn));
                const std::vector<cd> input = randomValues(size_t(s.n1) * s.m, 5);
                RowArray withLongTable(s.n1, s.m), withOwnTable(s.n1, s.m);
                withLongTable.set(input);
                withOwnTable.set(input);
                complexFFT2D(s.n1, 2 * s.m, isgn, withLongTable.a,
                             buffer == Buffer::caller ? shared.t.get() : nullptr, shared.ip.get(),
                             shared.w.get());
                EXPECT_EQ(shared.ip.get()[0], longTable) << "the longer table is kept";
                WorkAreas fresh(s.n1, 2 * s.m);
                transform2D(withOwnTable, isgn, fresh, buffer);
                EXPECT_EQ(withLongTable.floats(), withOwnTable.floats());
            }
    shared.expectGuardsIntact();

    // From a table for 16 x 16 to a 32 x 64 transform: the table grows and still fits the work
    // areas sized for the longer transform.
    WorkAreas growing(32, 128);
    RowArray small(16, 16), larger(32, 64);
    small.set(randomValues(256, 1));
    transform2D(small, 1, growing, Buffer::own);
    EXPECT_EQ(growing.ip.get()[0], 8);
    const std::vector<cd> input = roundedToFloat(randomValues(32 * 64, 2));
    larger.set(input);
    transform2D(larger, 1, growing, Buffer::own);
    EXPECT_EQ(growing.ip.get()[0], 32);
    EXPECT_LT(relativeError(larger.values(), directDFT2D(input, 32, 64, 1)), tolerance);
    growing.expectGuardsIntact();
}

// Each thread keeps the twiddles of the stages it has run; the results are the same whichever
// transforms ran on the thread before, shorter or longer, with their own tables.
TEST_P(ComplexFFT2DTest, ResultsDoNotDependOnTheTransformsBefore)
{
    const std::vector<cd> input = randomValues(16 * 32, 3);
    const auto transform = [](int n1, int m, const std::vector<cd>& values) {
        RowArray x(n1, m);
        x.set(values);
        WorkAreas work(n1, 2 * m);
        transform2D(x, -1, work, Buffer::own);
        return x.floats();
    };
    const std::vector<cd> longInput = randomValues(64 * 2048, 4);
    std::vector<float> fresh, afterLonger, afterGrowth;
    std::thread([&] { fresh = transform(16, 32, input); }).join();
    std::thread([&] {
        transform(64, 2048, longInput);
        afterLonger = transform(16, 32, input);
    }).join();
    std::thread([&] {
        transform(4, 8, randomValues(4 * 8, 5));
        transform(64, 2048, longInput);
        afterGrowth = transform(16, 32, input);
    }).join();
    EXPECT_EQ(afterLonger, fresh);
    EXPECT_EQ(afterGrowth, fresh);
}

// ip[0] = 0 makes the transform build its table, whatever w held before.
TEST_P(ComplexFFT2DTest, ZeroTableSizeForcesABuild)
{
    const int n1 = 16, m = 32;
    const std::vector<cd> input = roundedToFloat(randomValues(size_t(n1) * m, 9));
    RowArray x(n1, m);
    x.set(input);
    WorkAreas work(n1, 2 * m);
    float* w = work.w.get();
    for (int k = 0; k < complexFFT2DTableSize(n1, 2 * m); ++k)
        w[k] = std::numeric_limits<float>::quiet_NaN();
    work.ip.get()[0] = 0;
    transform2D(x, -1, work, Buffer::own);
    EXPECT_EQ(work.ip.get()[0], complexFFT2DTableSize(n1, 2 * m));
    EXPECT_EQ(work.ip.get()[1], 1);
    EXPECT_LT(relativeError(x.values(), directDFT2D(input, n1, m, -1)), tolerance);
}

TEST_P(ComplexFFT1DTest, MatchesDirectDFT)
{
    for (int b = 0; b <= 12; ++b)
        for (int isgn : {1, -1}) {
            const int values = 1 << b, n = 2 * values;
            SCOPED_TRACE(std::to_string(values) + " values, isgn " + std::to_string(isgn));
            const std::vector<cd> input = roundedToFloat(randomValues(values, b));
            GuardedArea<float> a(n);
            for (int k = 0; k < values; ++k) {
                a.get()[2 * k] = float(input[k].real());
                a.get()[2 * k + 1] = float(input[k].imag());
            }
            GuardedArea<int> ip(2 + int(std::floor(std::sqrt(values + 0.5))));
            GuardedArea<float> w(n / 4);
            ip.get()[0] = 0;
            complexFFT1D(n, isgn, a.get(), ip.get(), w.get());
            std::vector<cd> got(values);
            for (int k = 0; k < values; ++k)
                got[k] = cd(a.get()[2 * k], a.get()[2 * k + 1]);
            std::vector<cd> expected = input;
            directDFT(expected, values, 1, 1, 0, isgn);
            EXPECT_LT(relativeError(got, expected), tolerance);
            EXPECT_TRUE(a.guardIntact());
            EXPECT_TRUE(ip.guardIntact());
            EXPECT_TRUE(w.guardIntact());
        }
}

// Work areas kept over vectors of growing length: each longer vector rebuilds the table.
TEST_P(ComplexFFT1DTest, LongerVectorRebuildsTheTable)
{
    const int longest = 1024;
    GuardedArea<int> ip(2 + int(std::floor(std::sqrt(longest + 0.5))));
    GuardedArea<float> w(longest / 2);
    ip.get()[0] = 0;
    for (int values : {4, 64, 1024}) {
        SCOPED_TRACE(std::to_string(values) + " values");
        const std::vector<cd> input = roundedToFloat(randomValues(values, values));
        std::vector<float> a(2 * values);
        for (int k = 0; k < values; ++k) {
            a[2 * k] = float(input[k].real());
            a[2 * k + 1] = float(input[k].imag());
        }
        complexFFT1D(2 * values, 1, a.data(), ip.get(), w.get());
        EXPECT_EQ(ip.get()[0], values / 2);
        std::vector<cd> got(values);
        for (int k = 0; k < values; ++k)
            got[k] = cd(a[2 * k], a[2 * k + 1]);
        std::vector<cd> expected = input;
        directDFT(expected, values, 1, 1, 0, 1);
        EXPECT_LT(relativeError(got, expected), tolerance);
    }
    EXPECT_TRUE(ip.guardIntact());
    EXPECT_TRUE(w.guardIntact());
}

// The column pass alone transforms along the row index only.
TEST_P(ComplexFFT2DColumnsTest, TransformsEveryColumn)
{
    const struct
    {
        int n1;
        int m;
    } sizes[] = {{16, 8}, {8, 2}, {32, 1}, {256, 16}, {4, 64}};
    for (const auto& s : sizes)
        for (int isgn : {1, -1}) {
            SCOPED_TRACE(sizeName(s.n1, s.m, isgn));
            const std::vector<cd> input = roundedToFloat(randomValues(size_t(s.n1) * s.m, 4));
            RowArray x(s.n1, s.m);
            x.set(input);
            WorkAreas work(s.n1, 2 * s.m);
            makeTwiddleTable(complexFFT2DTableSize(s.n1, 2 * s.m), work.ip.get(), work.w.get());
            complexFFT2DColumns(s.n1, 2 * s.m, isgn, x.a, work.t.get(), work.ip.get(),
                                work.w.get());
            std::vector<cd> expected = input;
            directDFT(expected, s.n1, s.m, s.m, 1, isgn);
            EXPECT_LT(relativeError(x.values(), expected), tolerance);
            work.expectGuardsIntact();
        }
}

// Sizes too large for the direct transform: the AVX2 + FMA path (FMA rounding) agrees with the
// portable one within single-precision accuracy, for both signs and both buffer modes.
TEST(ComplexFFT2DPathsTest, BothPathsAgreeOnLargeArrays)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    forEverySignAndBuffer({{1024, 1024}, {2048, 8}, {8, 2048}, {256, 512}},
                          [](const ArraySize& s, int isgn, Buffer buffer) {
                              const std::vector<cd> input = randomValues(size_t(s.n1) * s.m, 17);
                              std::vector<cd> results[2];
                              for (int k = 0; k < 2; ++k) {
                                  scopedVectorPath path(k == 0 ? vectorPath::portable
                                                               : vectorPath::avx2Fma);
                                  ASSERT_TRUE(path.active());
                                  RowArray x(s.n1, s.m);
                                  x.set(input);
                                  WorkAreas work(s.n1, 2 * s.m);
                                  transform2D(x, isgn, work, buffer);
                                  results[k] = x.values();
                              }
                              EXPECT_LT(relativeError(results[1], results[0]), 1e-6);
                          });
}

// The kernels read and write the rows wherever they start: rows on a 64-byte boundary (as the
// allocator gives them) and rows shifted off it by a few floats give the same bits, with the
// transform's own column buffer and with a caller's buffer that is off the boundary as well.
TEST_P(ComplexFFT2DTest, ResultsDoNotDependOnWhereTheRowsStart)
{
    forEverySignAndBuffer(
        {{64, 64}, {256, 32}, {8, 512}, {512, 4}}, [](const ArraySize& s, int isgn, Buffer buffer) {
            const std::vector<cd> input = randomValues(size_t(s.n1) * s.m, 23);
            RowArray aligned(s.n1, s.m);
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(aligned.a[0]) % 64, 0u);
            aligned.set(input);
            WorkAreas work(s.n1, 2 * s.m);
            transform2D(aligned, isgn, work, buffer);
            const std::vector<float> expected = aligned.floats();

            const size_t floats = 2 * size_t(s.n1) * s.m;
            for (int shift : {1, 4, 6, 12}) {
                SCOPED_TRACE("rows " + std::to_string(4 * shift) + " bytes off the boundary");
                std::vector<float> block(floats + 32);
                float* const base = offBoundary(block.data(), shift);
                std::vector<float*> rows(size_t(s.n1));
                for (int r = 0; r < s.n1; ++r)
                    rows[size_t(r)] = base + size_t(r) * 2 * s.m;
                RowArray source(s.n1, s.m);
                source.set(input);
                std::memcpy(rows[0], source.a[0], floats * sizeof(float));
                std::vector<float> callerBuffer(size_t(complexFFT2DColumnBufferSize(s.n1, 2 * s.m))
                                                + 32);
                WorkAreas shiftedWork(s.n1, 2 * s.m);
                complexFFT2D(s.n1, 2 * s.m, isgn, rows.data(),
                             buffer == Buffer::caller ? offBoundary(callerBuffer.data(), shift)
                                                      : nullptr,
                             shiftedWork.ip.get(), shiftedWork.w.get());
                EXPECT_EQ(std::memcmp(rows[0], expected.data(), floats * sizeof(float)), 0);
            }
        });
}

TEST(AllocFloatArray2DTest, RowsLieOneRowLengthApartInOneAlignedBlock)
{
    const struct
    {
        int n1;
        int n2;
    } sizes[] = {{3, 4}, {1, 2}, {16, 6}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s.n1) + " x " + std::to_string(s.n2));
        float** a = allocFloatArray2D(s.n1, s.n2);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a[0]) % 64, 0u);
        for (int r = 0; r < s.n1; ++r)
            EXPECT_EQ(a[r], a[0] + r * s.n2) << "row " << r;
        for (int i = 0; i < s.n1 * s.n2; ++i)
            a[0][i] = float(i);
        EXPECT_EQ(a[s.n1 - 1][s.n2 - 1], float(s.n1 * s.n2 - 1));
        freeFloatArray2D(a);
    }
    freeFloatArray2D(nullptr);
}

TEST(AllocFloatArrayDeathTest, FailedAllocationEndsTheProcessWithAMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(allocFloatArray1D(-1), testing::ExitedWithCode(1), "(^|\n)Allocation Failure!\n$");
    EXPECT_EXIT(allocFloatArray2D(-1, 4), testing::ExitedWithCode(1),
                "(^|\n)Allocation Failure!\n$");
}

} // namespace
