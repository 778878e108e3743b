// fftwPlanCache: making, replacing and destroying the cached FFTW 2 plans.
#include "lab/fields/fftwPlanCache.h"

fftwPlanCache theFftwPlanCache;

fftwPlanCache::fftwPlanCache()
    : forwardPlan(nullptr)
    , backwardPlan(nullptr)
    , valid(false)
    , measured(false)
    , sizeI(0)
    , sizeJ(0)
    , planCreations(0)
{}

fftwPlanCache::~fftwPlanCache()
{
    destroyPlans();
}

bool fftwPlanCache::hasPlans(int fieldSizeI, int fieldSizeJ) const
{
    return valid && fieldSizeI == sizeI && fieldSizeJ == sizeJ;
}

void fftwPlanCache::createPlans(int fieldSizeI, int fieldSizeJ)
{
    if (!hasPlans(fieldSizeI, fieldSizeJ))
        replacePlans(fieldSizeI, fieldSizeJ, false);
}

void fftwPlanCache::createMeasuredPlans(int fieldSizeI, int fieldSizeJ)
{
    if (!measured || !hasPlans(fieldSizeI, fieldSizeJ))
        replacePlans(fieldSizeI, fieldSizeJ, true);
}

void fftwPlanCache::replacePlans(int newSizeI, int newSizeJ, bool measure)
{
    if (newSizeI <= 0 || newSizeJ <= 0)
        return;
    destroyPlans();
    sizeI = newSizeI;
    sizeJ = newSizeJ;
    // FFTW's first dimension is the slow one: sizeJ rows of sizeI values.
    const int flags = (measure ? FFTW_MEASURE : FFTW_ESTIMATE) | FFTW_IN_PLACE;
    forwardPlan = fftw2d_create_plan(newSizeJ, newSizeI, FFTW_FORWARD, flags);
    backwardPlan = fftw2d_create_plan(newSizeJ, newSizeI, FFTW_BACKWARD, flags);
    ++planCreations;
    valid = forwardPlan && backwardPlan;
    if (valid)
        measured = measure;
    else
        destroyPlans();
}

void fftwPlanCache::destroyPlans()
{
    if (forwardPlan)
        fftwnd_destroy_plan(forwardPlan);
    if (backwardPlan)
        fftwnd_destroy_plan(backwardPlan);
    forwardPlan = nullptr;
    backwardPlan = nullptr;
    valid = false;
    measured = false;
}
