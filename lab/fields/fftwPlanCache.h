// The process-wide pair of in-place FFTW 2 plans (forward and backward) for one field size.
#pragma once

#include <sfftw.h>

// Plans for a 2-D array of sizeJ rows of sizeI complex values (i runs fastest), made with
// FFTW_IN_PLACE and either FFTW_ESTIMATE or FFTW_MEASURE. The cache holds one size at a time and
// owns its plans; it is not locked (the program transforms on one thread).
class fftwPlanCache
{
public:
    fftwPlanCache();
    // Destroys the forward plan, then the backward plan, when there are plans.
    ~fftwPlanCache();
    fftwPlanCache(const fftwPlanCache&) = delete;
    fftwPlanCache& operator=(const fftwPlanCache&) = delete;

    // true when there are plans, of either kind, for these sizes.
    bool hasPlans(int sizeI, int sizeJ) const;
    // Estimated plans for these sizes unless there are plans for them already (measured plans
    // stay); plans of another size are destroyed first.
    void createPlans(int sizeI, int sizeJ);
    // Measured plans for these sizes unless there are measured plans for them already; other
    // plans are destroyed first. Measuring does not touch any field. Sizes below 1 (no FFTW
    // problem) change nothing, for both kinds.
    void createMeasuredPlans(int sizeI, int sizeJ);

    // The cached plans; null when there are none.
    fftwnd_plan getForwardPlan() const { return forwardPlan; }
    fftwnd_plan getBackwardPlan() const { return backwardPlan; }
    bool isMeasured() const { return measured; }
    // Pairs of plans made since the start of the process.
    int getPlanCreations() const { return planCreations; }

private:
    void replacePlans(int newSizeI, int newSizeJ, bool measure);
    void destroyPlans();

    fftwnd_plan forwardPlan;
    fftwnd_plan backwardPlan;
    bool valid;
    bool measured;
    int sizeI;
    int sizeJ;
    int planCreations;
};

extern fftwPlanCache theFftwPlanCache;
