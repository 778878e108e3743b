// Tests of the FFTW plan cache: which transforms make plans, of which kind, and that a cache
// destroys the plans it owns.
#include "lab/fields/fftwPlanCache.h"

#include "fields/complexDataField2D.h"

#include <gtest/gtest.h>

namespace {

enum class Action { Fft, Ifft, FftCopy, Measure };

const char* nameOf(Action action)
{
    switch (action) {
    case Action::Fft:
        return "fft";
    case Action::Ifft:
        return "ifft";
    case Action::FftCopy:
        return "fftCopy";
    case Action::Measure:
        return "prepareMeasuredPlans";
    }
    return "";
}

void run(Action action, int sizeI, int sizeJ)
{
    complexDataField2D field(sizeI, sizeJ, complexFloat{1.0f, 0.0f});
    switch (action) {
    case Action::Fft:
        field.fft();
        break;
    case Action::Ifft:
        field.ifft();
        break;
    case Action::FftCopy:
        field.fftCopy();
        break;
    case Action::Measure:
        field.prepareMeasuredPlans();
        break;
    }
}

} // namespace

TEST(fftwPlanCache, plansAreMadePerSizeAndKind)
{
    struct Step
    {
        Action action;
        int sizeI, sizeJ;
        int newPairs;
        bool measured;
    };
    // Measuring takes a good part of a second even for tiny sizes: the measured steps use them.
    const Step steps[] = {
        {Action::Fft, 8, 4, 1, false},
        {Action::Fft, 8, 4, 0, false},
        {Action::Ifft, 8, 4, 0, false},
        {Action::Fft, 16, 2, 1, false},
        {Action::Fft, 8, 4, 1, false},
        // The sizes the other way round are another problem.
        {Action::Fft, 4, 8, 1, false},
        // Measured plans replace estimated ones of the same size and serve the transforms.
        {Action::Fft, 2, 2, 1, false},
        {Action::Measure, 2, 2, 1, true},
        {Action::Fft, 2, 2, 0, true},
        {Action::Measure, 2, 2, 0, true},
        {Action::FftCopy, 2, 2, 0, true},
        {Action::Ifft, 2, 2, 0, true},
        // Another size brings estimated plans back.
        {Action::Fft, 2, 1, 1, false},
        {Action::Measure, 2, 1, 1, true},
        {Action::Measure, 1, 2, 1, true},
        // A field without elements plans nothing and keeps the plans there are.
        {Action::Fft, 0, 32, 0, true},
        {Action::Ifft, 8, 0, 0, true},
        {Action::Measure, 0, 0, 0, true},
    };
    // A known start: plans for a size no step uses.
    theFftwPlanCache.createPlans(3, 1);
    ASSERT_TRUE(theFftwPlanCache.hasPlans(3, 1));
    int before = theFftwPlanCache.getPlanCreations();
    for (const Step& s : steps) {
        SCOPED_TRACE(::testing::Message()
                     << nameOf(s.action) << " on " << s.sizeI << " x " << s.sizeJ);
        run(s.action, s.sizeI, s.sizeJ);
        const int after = theFftwPlanCache.getPlanCreations();
        EXPECT_EQ(after - before, s.newPairs);
        before = after;
        EXPECT_EQ(theFftwPlanCache.isMeasured(), s.measured);
    }
    EXPECT_TRUE(theFftwPlanCache.hasPlans(1, 2));
    EXPECT_FALSE(theFftwPlanCache.hasPlans(2, 1));
    EXPECT_FALSE(theFftwPlanCache.hasPlans(8, 4));
}

TEST(fftwPlanCache, estimatedPlansKeepMeasuredOnesOfTheSameSize)
{
    fftwPlanCache cache;
    EXPECT_FALSE(cache.hasPlans(0, 0));
    EXPECT_EQ(cache.getForwardPlan(), nullptr);

    cache.createMeasuredPlans(2, 1);
    const fftwnd_plan forward = cache.getForwardPlan();
    const fftwnd_plan backward = cache.getBackwardPlan();
    ASSERT_NE(forward, nullptr);
    ASSERT_NE(backward, nullptr);
    EXPECT_NE(forward, backward);
    cache.createPlans(2, 1);
    EXPECT_TRUE(cache.isMeasured());
    EXPECT_EQ(cache.getForwardPlan(), forward);
    EXPECT_EQ(cache.getPlanCreations(), 1);

    // Plans for another size replace both; the cache destroys the last pair when it goes (a
    // leak would show in the sanitizer build).
    cache.createPlans(1, 2);
    EXPECT_FALSE(cache.isMeasured());
    EXPECT_TRUE(cache.hasPlans(1, 2));
    EXPECT_FALSE(cache.hasPlans(2, 1));
    EXPECT_EQ(cache.getPlanCreations(), 2);
}
