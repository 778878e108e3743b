// Design operations on phases: random phases, partial binarisation and partial quantisation.
#include "design/designOperations.h"

#include "design/designKernels.h"
#include "design/fieldSizeCheck.h"
#include "design/randomPhase.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <cmath>
#include <vector>

namespace {

constexpr double pi = 3.141592653589793;

// atan2(im, re) in (-pi, pi].
double phaseOf(const complexFloat& z)
{
    return std::atan2(double(z.im), double(z.re));
}

} // namespace

void applyRandomPhase(boost::shared_ptr<complexDataField2D> f)
{
    seedRandomPhasesFromClock();
    for (int j = 0; j < f->getSizeJ(); ++j)
        for (int i = 0; i < f->getSizeI(); ++i)
            f->setValue(i, j, elementMultiply(f->getValue(i, j), drawRandomPhasor()));
}

boost::shared_ptr<complexDataField2D> randomPhaseField(int nI, int nJ)
{
    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(nI, nJ, 0));
    seedRandomPhasesFromClock();
    for (int j = 0; j < field->getSizeJ(); ++j)
        for (int i = 0; i < field->getSizeI(); ++i)
            field->setValue(i, j, drawRandomPhasor());
    return field;
}

boost::shared_ptr<complexDataField2D> randomPhaseField(boost::shared_ptr<DataField2D> amplitude)
{
    boost::shared_ptr<complexDataField2D> field(
        new complexDataField2D(amplitude->getSizeI(), amplitude->getSizeJ(), 0));
    field->setPixelSize(amplitude->getDx(), amplitude->getDy());
    fillWithRandomPhase(amplitude, field);
    return field;
}

void fillWithRandomPhase(boost::shared_ptr<DataField2D> amplitude,
                         boost::shared_ptr<complexDataField2D> out)
{
    if (!operandCovers(*amplitude, *out, "fillWithRandomPhase"))
        return;
    seedRandomPhasesFromClock();
    // One pass over blocks of 16 lines of the amplitude's element order (j outside): their draws,
    // then each times its amplitude, written i by i, so that either storage order of out is
    // written a cache line at a time.
    const int sizeI = amplitude->getSizeI();
    const int sizeJ = amplitude->getSizeJ();
    constexpr int block = 16;
    std::vector<complexFloat> phasors(std::size_t(sizeI > 0 ? sizeI : 0) * block);
    for (int j0 = 0; j0 < sizeJ; j0 += block) {
        const int lines = sizeJ - j0 < block ? sizeJ - j0 : block;
        drawRandomPhasors(phasors.data(), std::size_t(sizeI) * std::size_t(lines));
        for (int i = 0; i < sizeI; ++i)
            for (int l = 0; l < lines; ++l)
                out->setValue(i, j0 + l,
                              phasors[std::size_t(sizeI) * std::size_t(l) + std::size_t(i)]
                                  * amplitude->getValue(i, j0 + l));
    }
}

complexDataField2D randomizePhase(complexDataField2D& f)
{
    complexDataField2D result(f);
    seedRandomPhasesFromClock();
    for (int j = 0; j < f.getSizeJ(); ++j)
        for (int i = 0; i < f.getSizeI(); ++i)
            result.setValue(i, j, drawRandomPhasor() * abs(f.getValue(i, j)));
    return result;
}

complexDataField2D randomizePhaseHermitian(complexDataField2D& f)
{
    complexDataField2D result(f);
    const int sizeI = f.getSizeI();
    const int sizeJ = f.getSizeJ();
    const int halfJ = (sizeJ - 1) / 2 + 1;
    seedRandomPhasesFromClock();
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < halfJ; ++j) {
            const float t = float(drawRandomPhase());
            const float modulus = abs(f.getValue(i, j));
            result.setValue(i, j, polarUnit(t) * modulus);
            result.setValue((sizeI - i) % sizeI, (sizeJ - j) % sizeJ, polarUnit(-t) * modulus);
        }
    return result;
}

void randomizeSignalOrderPhases(signalOrderList& list)
{
    list.randomizePhases();
}

complexDataField2D binarizePhaseGradually(complexDataField2D& f, double fraction)
{
    const double a = pi * fraction * 0.5;
    const double b = pi - a;
    const double h = pi * 0.5;
    complexDataField2D result(f);
    for (int j = 0; j < f.getSizeJ(); ++j)
        for (int i = 0; i < f.getSizeI(); ++i) {
            const complexFloat z = f.getValue(i, j);
            double phi = phaseOf(z);
            // Both walks also stop once a step no longer moves the phase (fractions <= 0 would
            // otherwise never end).
            while (a < std::fabs(phi) && std::fabs(phi) < h) {
                const double next = phi * 0.5;
                if (next == phi)
                    break;
                phi = next;
            }
            while (h < std::fabs(phi) && std::fabs(phi) < b) {
                const double next = phi + (phi > 0.0 ? 1.0 : -1.0) * (pi - std::fabs(phi)) * 0.5;
                if (next == phi)
                    break;
                phi = next;
            }
            result.setValue(i, j, polarUnit(float(phi)) * abs(z));
        }
    return result;
}

void binarizePhasePartially(boost::shared_ptr<complexDataField2D> f, double fraction)
{
    const double a = pi * fraction * 0.5;
    const double b = pi - a;
    for (int i = 0; i < f->getSizeI(); ++i)
        for (int j = 0; j < f->getSizeJ(); ++j) {
            double phi = phaseOf(f->getValue(i, j));
            if (std::fabs(phi) < a)
                phi = 0.0;
            else if (std::fabs(phi) > b)
                phi = pi;
            f->setValue(i, j, polarUnit(float(phi)));
        }
}

complexFloat quantizationLevelPhasor(int k, int levels)
{
    return polarUnit(float(double(k) * ((pi + pi) / levels) - pi));
}

void quantizePhasePartially(boost::shared_ptr<complexDataField2D> f, double fraction, int levels,
                            int* levelIndex)
{
    float* z = f->elementData();
    const std::size_t n = f->elementCount();
    if (levels < 1) {
        for (std::size_t k = 0; k < n; ++k) {
            const complexFloat u = polarUnit(float(phaseOf({z[2 * k], z[2 * k + 1]})));
            z[2 * k] = u.re;
            z[2 * k + 1] = u.im;
            if (levelIndex)
                levelIndex[k] = -1;
        }
        return;
    }
    // The phasors of the levels k = 0 .. levels, computed once for the snapped elements (up to
    // 65536 levels; beyond, each snapped element computes its own).
    std::vector<complexFloat> levelPhasors(levels <= 65536 ? std::size_t(levels) + 1 : 0);
    for (std::size_t k = 0; k < levelPhasors.size(); ++k)
        levelPhasors[k] = quantizationLevelPhasor(int(k), levels);
    quantizePhases(z, n,
                   makePhaseQuantization(fraction, levels,
                                         levelPhasors.empty() ? nullptr : levelPhasors.data()),
                   levelIndex);
}

boost::shared_ptr<complexDataField2D> quantizedPhaseCopy(boost::shared_ptr<complexDataField2D> f,
                                                         double fraction, int levels)
{
    boost::shared_ptr<complexDataField2D> copy(new complexDataField2D(*f));
    quantizePhasePartially(copy, fraction, levels);
    return copy;
}
