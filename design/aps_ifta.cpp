// aps_ifta: construction, the measuring and signal/noise steps, the four iteration loops and
// their log lines.
#include "design/aps_ifta.h"

#include "base/Logfile.h"
#include "base/phasedeckGlobals.h"
#include "design/designOperations.h"
#include "design/fieldSizeCheck.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "fields/binaryArray2D.h"
#include "fields/complexDataField2D.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace {

constexpr double pi = 3.141592653589793;

// "<label><k>/<n> , Diffraction efficiciency is <percent> %."
void logStep(const char* label, int k, int n, double percent)
{
    std::ostringstream line;
    line << label << k << "/" << n << " , Diffraction efficiciency is " << percent << " %.";
    theLogfile.info(line.str());
}

void logAtStep(const char* text, int k)
{
    std::ostringstream line;
    line << text << k;
    theLogfile.info(line.str());
}

// Wraps an index into 0 .. size - 1 (the caller keeps |index| < size).
int wrapped(int index, int size)
{
    return index < 0 ? index + size : index;
}

} // namespace

aps_ifta::aps_ifta(signalOrderList* orders, boost::shared_ptr<DataField2D> mask, float gamma)
    : aps_ifta(orders, boost::shared_ptr<complexDataField2D>(), mask, gamma, false, 0, 0)
{}

aps_ifta::aps_ifta(signalOrderList* orders, boost::shared_ptr<complexDataField2D> field,
                   boost::shared_ptr<DataField2D> mask, float gamma)
    : aps_ifta(orders, field, mask, gamma, false, 0, 0)
{}

aps_ifta::aps_ifta(signalOrderList* orders, boost::shared_ptr<DataField2D> mask, float gamma,
                   int nI, int nJ)
    : aps_ifta(orders, boost::shared_ptr<complexDataField2D>(), mask, gamma, true, nI, nJ)
{}

aps_ifta::aps_ifta(signalOrderList* orders, boost::shared_ptr<complexDataField2D> field,
                   boost::shared_ptr<DataField2D> mask, float gamma, int nI, int nJ)
    : aps_ifta(orders, field, mask, gamma, true, nI, nJ)
{}

aps_ifta::aps_ifta(signalOrderList* orders, boost::shared_ptr<complexDataField2D> field,
                   boost::shared_ptr<DataField2D> mask, float gamma, bool sized, int nI, int nJ)
    : field(field)
    , orders(orders)
    , mask(mask)
    , gamma(gamma)
    , scale(0.0f)
    , outputSizeI(0)
    , outputSizeJ(0)
    , outputDiffers(false)
{
    if (mask)
        noiseWeight = ((-mask) + 1.0f) * gamma;
    // The reference size: the field's, else the mask's.
    int referenceI = 0;
    int referenceJ = 0;
    if (field) {
        referenceI = field->getSizeI();
        referenceJ = field->getSizeJ();
    } else if (mask) {
        referenceI = mask->getSizeI();
        referenceJ = mask->getSizeJ();
    }
    if (!sized) {
        outputSizeI = referenceI;
        outputSizeJ = referenceJ;
        return;
    }
    outputSizeI = std::max(nI, 0);
    outputSizeJ = std::max(nJ, 0);
    outputDiffers = outputSizeI != referenceI || outputSizeJ != referenceJ;
}

aps_ifta::~aps_ifta()
{
    binaryDOE.reset();
    noiseWeight.reset();
    mask.reset();
    field.reset();
}

bool aps_ifta::canIterate(const char* method) const
{
    const char* problem = nullptr;
    if (!field)
        problem = "no working field";
    else if (!orders || orders->size() == 0)
        problem = "no signal orders";
    else if (!noiseWeight || noiseWeight->getSizeI() != field->getSizeI()
             || noiseWeight->getSizeJ() != field->getSizeJ())
        problem = "the mask does not have the working field's size";
    if (!problem)
        return true;
    theLogfile.warning(std::string("aps_ifta::") + method + ": " + problem + ", nothing done.");
    return false;
}

void aps_ifta::iteratePhF(int n)
{
    if (canIterate("iteratePhF"))
        phfLoop(orders, field, n);
}

void aps_ifta::iterateAF(int n)
{
    if (canIterate("iterateAF"))
        afLoop(orders, field, n);
}

void aps_ifta::iterateQuantization(int n, int levels)
{
    if (canIterate("iterateQuantization"))
        quantizationLoop(orders, field, n, levels);
}

void aps_ifta::finalQuantization(int levels)
{
    if (canIterate("finalQuantization"))
        finalQuantizationStep(orders, field, levels);
}

void aps_ifta::weightNoise()
{
    if (!canIterate("weightNoise"))
        return;
    orders->rescaleToTarget();
    multiplyByNoiseWeight(field);
}

void aps_ifta::multiplyByNoiseWeight(boost::shared_ptr<complexDataField2D> f)
{
    if (!f || !noiseWeight || !operandCovers(*f, *noiseWeight, "aps_ifta::multiplyByNoiseWeight"))
        return;
    const DataField2D& weight = *noiseWeight;
    for (int j = 0; j < f->getSizeJ(); ++j)
        for (int i = 0; i < f->getSizeI(); ++i) {
            complexFloat z = f->getValue(i, j);
            const float modulus = normalize(z);
            f->setValue(i, j, z * (modulus * weight.getValue(i, j)));
        }
}

double aps_ifta::measure(signalOrderList* list, boost::shared_ptr<complexDataField2D> f)
{
    list->sampleField(f);
    return diffractionEfficiency(f, *list, false);
}

void aps_ifta::splitSignalAndNoise(signalOrderList* list, boost::shared_ptr<complexDataField2D> f,
                                   double inv)
{
    list->subtractFromField(f, inv);
    f->fft();
    scale = float(list->amplitudeScale());
    list->rescaleToTarget();
    multiplyByNoiseWeight(f);
    f->ifft();
}

void aps_ifta::phfLoop(signalOrderList* list, boost::shared_ptr<complexDataField2D> f, int n)
{
    for (int k = 1; k <= n; ++k) {
        logStep("aps_ifta PhF iteration step ", k, n, measure(list, f) * 100.0);
        list->rescaleToTarget();
        list->synthesize(f);
        f->makePhaseOnly();
    }
}

void aps_ifta::afLoop(signalOrderList* list, boost::shared_ptr<complexDataField2D> f, int n)
{
    const double inv = 1.0 / (double(f->getSizeI()) * f->getSizeJ());
    for (int k = 1; k <= n; ++k) {
        logStep("aps_ifta AF iteration step ", k, n, measure(list, f) * 100.0);
        splitSignalAndNoise(list, f, inv);
        list->addToField(f, scale);
        f->makePhaseOnly();
    }
}

void aps_ifta::quantizationLoop(signalOrderList* list, boost::shared_ptr<complexDataField2D> f,
                                int n, int levels)
{
    const float inv = float(1.0 / (double(f->getSizeI()) * f->getSizeJ()));
    const int rounds = outputDiffers ? n - 1 : n;
    float previous = 0.0f;
    int stagnant = 0;
    for (int k = 1; k <= rounds; ++k) {
        const float efficiency = float(measure(list, f));
        logStep("aps_ifta quantization step ", k, n, efficiency * 100.0);
        if (efficiency == previous) {
            // A field with more distinct values than levels is still moving: no count, no reset.
            if (f->hasAtMostNValues(levels)) {
                ++stagnant;
                if (stagnant >= 2) {
                    logAtStep("Quantization iteration is considered finished at step ", k);
                    break;
                }
                logAtStep("Quantization iteration might have reached stagnation at step ", k);
            }
        } else {
            stagnant = 0;
        }
        previous = efficiency;
        splitSignalAndNoise(list, f, inv);
        list->addToField(f, scale);
        quantizePhasePartially(f, double(k) / n, levels);
    }
    if (outputDiffers)
        finalQuantizationStep(list, f, 2);
}

void aps_ifta::finalQuantizationStep(signalOrderList* list, boost::shared_ptr<complexDataField2D> f,
                                     int levels)
{
    binaryDOE.reset(
        new binaryArray2D(std::uint32_t(outputSizeI), std::uint32_t(outputSizeJ), false));
    {
        std::ostringstream line;
        line << "Final aps_ifta quantization step, Diffraction efficiciency is "
             << measure(list, f) * 100.0 << " %.";
        theLogfile.info(line.str());
    }
    const int sizeI = f->getSizeI();
    const int sizeJ = f->getSizeJ();
    splitSignalAndNoise(list, f, float(1.0 / (double(sizeI) * sizeJ)));

    // The sign of the real part of signal plus noise on the output grid; outside the working
    // grid only the orders contribute. Only a binary DOE has bits to set.
    if (levels == 2) {
        const int hI = outputSizeI / 2;
        const int hJ = outputSizeJ / 2;
        const float wx = float(2.0 * pi * f->getDx());
        const float wy = float(2.0 * pi * f->getDy());
        for (int p = 0; p < outputSizeI; ++p) {
            const int X = p - hI;
            for (int q = 0; q < outputSizeJ; ++q) {
                const int Y = q - hJ;
                const float signal = scale * list->sumAt(float(X) * wx, float(Y) * wy).re;
                float noise = 0.0f;
                if (std::abs(X) < sizeI / 2 && std::abs(Y) < sizeJ / 2)
                    noise = f->getValue(wrapped(X, sizeI), wrapped(Y, sizeJ)).re;
                if (signal + noise > 0.0f)
                    binaryDOE->setBit(std::uint32_t(p), std::uint32_t(q), true);
            }
        }
    }

    list->addToField(f, scale);
    quantizePhasePartially(f, 1.0, levels);
}
