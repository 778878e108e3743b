// Tests of the internal edition's field storage: one block from fftw_malloc, released through
// fftw_free, and an empty field when the block is refused or cannot be indexed.
#include "fields/complexDataField2D.h"

#include "fields/DataField2D.h"
#include "fields/complexFieldTestFields.h"

#include <sfftw.h>

#include <cstdlib>
#include <vector>

namespace {

// FFTW's allocation hooks for one test: record every request and release, and refuse requests
// above a limit.
class AllocationHooks
{
public:
    explicit AllocationHooks(size_t limit)
    {
        refuseAbove = limit;
        requests.clear();
        releases.clear();
        blocks.clear();
        fftw_malloc_hook = &allocate;
        fftw_free_hook = &release;
    }
    ~AllocationHooks()
    {
        fftw_malloc_hook = nullptr;
        fftw_free_hook = nullptr;
    }
    AllocationHooks(const AllocationHooks&) = delete;
    AllocationHooks& operator=(const AllocationHooks&) = delete;

    static inline size_t refuseAbove = 0;
    static inline std::vector<size_t> requests;
    static inline std::vector<void*> blocks;
    static inline std::vector<void*> releases;

private:
    static void* allocate(size_t bytes)
    {
        requests.push_back(bytes);
        void* block = bytes > refuseAbove ? nullptr : std::malloc(bytes);
        if (block)
            blocks.push_back(block);
        return block;
    }
    static void release(void* block)
    {
        releases.push_back(block);
        std::free(block);
    }
};

constexpr size_t noLimit = ~size_t(0);

void expectEmpty(complexDataField2D& field)
{
    EXPECT_FALSE(field.isOk());
    EXPECT_EQ(field.getSizeI(), 0);
    EXPECT_EQ(field.getSizeJ(), 0);
    EXPECT_EQ(field.data(), nullptr);
    // Nothing reads the missing block.
    EXPECT_EQ(field.getMaxRe(), 0.0f);
    EXPECT_EQ(field.getMinAbs(), 0.0f);
    EXPECT_EQ(field.getTotalIntensity(), 0.0);
    expectComplexNear(field.getSum(), {0.0f, 0.0f}, 0.0);
    expectComplexNear(field.getValuePeriodic(3, -1), {0.0f, 0.0f}, 0.0);
    expectComplexNear(field.getFourierComponent(1.0, 2.0), {0.0f, 0.0f}, 0.0);
    EXPECT_TRUE(field.hasAtMostNValues(0));
}

} // namespace

TEST(complexDataField2DStorage, blockComesFromFftwMallocAndGoesBackThroughFftwFree)
{
    AllocationHooks hooks(noLimit);
    {
        complexDataField2D field(5, 3, 0);
        ASSERT_EQ(AllocationHooks::requests, std::vector<size_t>{5 * 3 * 8});
        EXPECT_EQ(static_cast<void*>(field.data()), AllocationHooks::blocks.at(0));

        // Self-assignment neither allocates nor frees.
        complexDataField2D& alias = field;
        field = alias;
        EXPECT_EQ(AllocationHooks::requests.size(), 1u);
        EXPECT_TRUE(AllocationHooks::releases.empty());

        // Assignment frees the old block and takes one of the source's size.
        field = complexDataField2D(2, 7, complexFloat{1.0f, 2.0f});
        EXPECT_EQ(AllocationHooks::requests.size(), 3u);
        EXPECT_EQ(AllocationHooks::requests.back(), size_t(2 * 7 * 8));
        EXPECT_EQ(AllocationHooks::releases.size(), 2u); // the old block and the temporary's
        EXPECT_EQ(AllocationHooks::releases.at(0), AllocationHooks::blocks.at(0));
        expectComplexNear(field.getValue(1, 6), {1.0f, 2.0f}, 0.0);

        // A field without elements asks for nothing.
        complexDataField2D none(0, 9, 0);
        EXPECT_EQ(none.data(), nullptr);
        EXPECT_TRUE(none.isOk());
        EXPECT_EQ(AllocationHooks::requests.size(), 3u);
    }
    // Every block handed out came back.
    EXPECT_EQ(AllocationHooks::releases.size(), AllocationHooks::blocks.size());
}

TEST(complexDataField2DStorage, refusedBlockLeavesAnEmptyField)
{
    const complexDataField2D source = randomComplexField(4, 3, 7u);
    const DataField2D real(4, 3, 0.0, 0.0, 1.0, 1.0, 2.0f);
    complexDataField2D assigned = source;
    complexDataField2D assignedReal = source;

    AllocationHooks hooks(0);
    complexDataField2D zeros(4, 3, 1);
    complexDataField2D filled(4, 3, complexFloat{1.0f, 1.0f});
    complexDataField2D copy(source);
    complexDataField2D shape(source, true);
    complexDataField2D fromReal(real);
    assigned = source;
    assignedReal = real;
    EXPECT_EQ(AllocationHooks::requests, std::vector<size_t>(7, 4 * 3 * 8));

    for (complexDataField2D* field :
         {&zeros, &filled, &copy, &shape, &fromReal, &assigned, &assignedReal}) {
        expectEmpty(*field);
        field->fft();
        field->ifft();
        EXPECT_EQ(field->getSizeI(), 0);
    }
    EXPECT_EQ(zeros.getDomainFlag(), 1);
}

TEST(complexDataField2DStorage, largestIndexableFieldIsAskedForAndNoLarger)
{
    // 2^15 x (2^15 - 1) elements: 2 sizeI sizeJ floats still fit in an int.
    AllocationHooks hooks(0);
    complexDataField2D largest(1 << 15, (1 << 15) - 1, 0);
    EXPECT_EQ(AllocationHooks::requests,
              std::vector<size_t>{size_t(1 << 15) * size_t((1 << 15) - 1) * 8});
    expectEmpty(largest);
    complexDataField2D beyond(1 << 15, 1 << 15, 0);
    EXPECT_EQ(AllocationHooks::requests.size(), 1u);
    expectEmpty(beyond);
}

TEST(complexDataField2DStorage, fftwHooksAreLeftAsTheyWere)
{
    ASSERT_EQ(fftw_malloc_hook, nullptr);
    complexDataField2D field(3, 2, 0);
    EXPECT_EQ(fftw_malloc_hook, nullptr);
    EXPECT_EQ(fftw_free_hook, nullptr);
    EXPECT_NE(field.data(), nullptr);
}
