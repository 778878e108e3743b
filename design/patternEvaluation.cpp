// patternEvaluation: construction, the evaluation of both kinds, the texts and the split of the
// far field into signal and noise.
#include "design/patternEvaluation.h"

#include "base/phasedeckGlobals.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "fields/specialFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

float intensityOf(const complexFloat& z)
{
    return z.re * z.re + z.im * z.im;
}

// a / b, and 0 when both are 0 (no signal order at all).
double ratio(double a, double b)
{
    return a == 0.0 && b == 0.0 ? 0.0 : a / b;
}

} // namespace

patternEvaluation::patternEvaluation(boost::shared_ptr<complexDataField2D> doe,
                                     boost::shared_ptr<DataField2D> target, double threshold)
    : patternEvaluation(doe, target, boost::shared_ptr<DataField2D>())
{
    wMin = wMax = 0.0f;
    if (!target || target->getSizeI() < 1 || target->getSizeJ() < 1)
        return;
    mask.reset(new DataField2D(target->getSizeI(), target->getSizeJ(), 0.0, 0.0,
                               opticalParameters.defaultPixelSizeX,
                               opticalParameters.defaultPixelSizeY, 0.0f));
    mask->setValue(0, 0, 1.0f);
    float smallest = target->getValue(0, 0);
    float largest = smallest;
    for (int j = 0; j < target->getSizeJ(); ++j)
        for (int i = 0; i < target->getSizeI(); ++i) {
            const float t = target->getValue(i, j);
            if (!(t > threshold))
                continue;
            mask->setValue(i, j, 1.0f);
            smallest = std::min(smallest, t);
            largest = std::max(largest, t);
        }
    wMin = smallest * smallest;
    wMax = largest * largest;
}

patternEvaluation::patternEvaluation(boost::shared_ptr<complexDataField2D> doe,
                                     boost::shared_ptr<DataField2D> target,
                                     boost::shared_ptr<DataField2D> third)
    : kind(2)
    , doe(doe)
    , target(target)
    , orders(nullptr)
    , mask(third)
    , NI(doe ? doe->getSizeI() : 0)
    , NJ(doe ? doe->getSizeJ() : 0)
    , dx(doe ? float(doe->getDx()) : 0.0f)
    , dy(doe ? float(doe->getDy()) : 0.0f)
    , gridNI(target ? target->getSizeI() : 0)
    , gridNJ(target ? target->getSizeJ() : 0)
    , sumI(0.0)
    , sumIs(0.0)
    , sumW(0.0)
    , sumW2(0.0)
    , wMin(std::numeric_limits<float>::infinity())
    , wMax(0.0f)
    , sumIW(0.0)
    , DE(0.0)
    , SCDE(0.0)
    , ZO(0.0)
    , WS(0.0)
    , R_WS(0.0)
    , SS(0.0)
    , R_SS(0.0)
    , SN(0.0)
    , UE(1.0)
    , R_UE(1.0)
{
    // Smallest and largest signal amplitude, squared.
    float smallest = std::numeric_limits<float>::infinity();
    float largest = 0.0f;
    for (int j = 0; j < gridNJ; ++j)
        for (int i = 0; i < gridNI; ++i) {
            const float t = target->getValue(i, j);
            if (t > 0.0f) {
                smallest = std::min(smallest, t);
                largest = std::max(largest, t);
            }
        }
    wMin = smallest * smallest;
    wMax = largest * largest;
}

patternEvaluation::patternEvaluation(boost::shared_ptr<complexDataField2D> doe,
                                     signalOrderList* orders, boost::shared_ptr<DataField2D> grid)
    : patternEvaluation(doe, boost::shared_ptr<DataField2D>(), boost::shared_ptr<DataField2D>())
{
    kind = 3;
    this->orders = orders;
    mask = grid;
    gridNI = grid ? grid->getSizeI() : 0;
    gridNJ = grid ? grid->getSizeJ() : 0;
    wMin = orders ? orders->getMinTargetIntensity() : 0.0f;
    wMax = orders ? orders->getMaxTargetIntensity() : 0.0f;
}

patternEvaluation::~patternEvaluation()
{
    noisePart.reset();
    signalPart.reset();
    mask.reset();
    target.reset();
    farField.reset();
    doe.reset();
}

double patternEvaluation::share(double x, float P)
{
    return P > 0.0f ? x / P : 0.0;
}

void patternEvaluation::transformDoe()
{
    doe->fft();
    farField = doe;
}

#if !PHASEDECK_LAB
void patternEvaluation::computeFarField()
{
    if (doe)
        transformDoe();
}

boost::shared_ptr<complexDataField2D> patternEvaluation::getFarField()
{
    if (!farField)
        computeFarField();
    return farField;
}
#endif

void patternEvaluation::evaluate()
{
    if (!doe)
        return;
    if (kind == 2)
        evaluateTarget();
    else
        evaluateOrders();
}

void patternEvaluation::evaluateTarget()
{
    if (!target)
        return;
    const double n = double(NI) * NJ;
    const float P = float(n * n);
    sumI = sumIs = sumW = sumW2 = sumIW = 0.0;
    double weakest = P;
    double strongest = 0.0;
    double strongestNoise = 0.0;
    bool anySignal = false;
    bool haveRelative = false;
    double minRelative = 0.0;
    double maxRelative = 0.0;
    if (!farField)
        transformDoe();
    const bool relative = relativeFigures();

    for (int j = 0; j < gridNJ; ++j)
        for (int i = 0; i < gridNI; ++i) {
            const float t = target->getValue(i, j);
            const float w = float(std::pow(double(t), 2.0));
            const int ci = target->centeredIndexI(i);
            const int cj = target->centeredIndexJ(j);
            const float I = intensityOf(farField->getValuePeriodic(ci, cj));
            if (!(t > 0.0f)) {
                strongestNoise = std::max(strongestNoise, double(I));
                continue;
            }
            anySignal = true;
            sumW += w;
            sumI += I;
            sumIW += double(I) * w;
            sumW2 += std::pow(double(w), 2.0);
            // The intensity envelope of the pixel aperture at this order.
            const double s
                = std::pow(sinc(double(cj) / NJ), 2.0) * std::pow(sinc(double(ci) / NI), 2.0);
            sumIs += I * s;
            strongest = std::max(strongest, double(I));
            weakest = std::min(weakest, double(I));
            if (relative) {
                const double r = double(I) / w;
                maxRelative = haveRelative ? std::max(maxRelative, r) : r;
                minRelative = haveRelative ? std::min(minRelative, r) : r;
                haveRelative = true;
            }
            text << ci << "\t" << cj << "\t" << 100.0 * share(I, P) << "%\t"
                 << 100.0 * share(I, P) * s << "%\n";
        }
    if (!anySignal)
        weakest = 0.0;
    const double zerothOrder = intensityOf(farField->getValuePeriodic(0, 0));
    computeFigures(P, weakest, strongest, zerothOrder, strongestNoise, haveRelative, minRelative,
                   maxRelative);
}

void patternEvaluation::evaluateOrders()
{
    // The DOE is consumed by the first evaluation.
    if (!orders || farField)
        return;
    orders->sampleField(doe);
    const float P = float(double(NJ) * NI * doe->getTotalIntensity());
    const double zerothOrder = intensityOf(doe->getSum());
    orders->computeStatistics();
    sumIW = orders->getSumIntensityTimesTarget();
    sumW = orders->getSumTargetIntensity();
    sumW2 = orders->getSumSquaredTargetIntensity();
    sumI = orders->getSumIntensity();
    sumIs = 0.0;

    if (NI > 0 && NJ > 0)
        orders->subtractFromField(doe, 1.0 / (double(NI) * NJ));
    transformDoe();
    double strongestNoise = 0.0;
    for (int i = 0; i < gridNI; ++i)
        for (int j = 0; j < gridNJ; ++j) {
            const int ci = mask->centeredIndexI(i);
            const int cj = mask->centeredIndexJ(j);
            strongestNoise
                = std::max(strongestNoise, double(intensityOf(farField->getValuePeriodic(ci, cj))));
        }
    computeFigures(P, orders->getMinIntensity(), orders->getMaxIntensity(), zerothOrder,
                   strongestNoise, relativeFigures() && orders->size() > 0,
                   orders->getMinRelativeIntensity(), orders->getMaxRelativeIntensity());
}

void patternEvaluation::computeFigures(float P, double weakest, double strongest,
                                       double rawZerothOrder, double strongestNoise,
                                       bool haveRelative, double minRelative, double maxRelative)
{
    const double root = std::sqrt(double(P));
    const double scaleDenominator = root * sumW2;
    const double SF = scaleDenominator != 0.0 ? sumIW / scaleDenominator : 0.0;
    DE = share(sumI, P);
    SCDE = share(sumIs, P);
    ZO = share(rawZerothOrder, P);
    WS = share(weakest, P);
    SS = share(strongest, P);
    SN = share(strongestNoise, P);
    UE = SS > 0.0 ? (SS - WS) / (SS + WS) : 1.0;
    const double g = SF * root != 0.0 ? 1.0 / (SF * root) : 0.0;
    R_SS = haveRelative ? g * maxRelative : 0.0;
    R_WS = haveRelative ? g * minRelative : 0.0;
    R_UE = R_SS > 0.0 ? (R_SS - R_WS) / (R_SS + R_WS) : 1.0;
    sumIW = SF;
}

std::string patternEvaluation::report() const
{
    std::ostringstream out;
    out << "Diffraction efficiency: " << 100.0 * DE << " %\n";
    out << "Diffraction efficiency with sinc correction: " << 100.0 * SCDE << " %\n";
    out << "Signal energy scale factor: " << sumIW << "\n";
    out << "Zeroth order power: " << 100.0 * ZO << " %\n\n";
    out << "Strongest signal order: " << 100.0 * SS << " %\n";
    out << "Weakest signal order: " << 100.0 * WS << " %\n";
    out << "Strongest signal to weakest signal ratio is " << ratio(SS, WS) << " : 1\n";
    out << "Uniformity Error: " << 100.0 * UE << " %\n";
    out << "Strongest noise order: " << 100.0 * SN << " %\n";
    if (SN > 0.0) {
        const double q = WS / SN;
        if (!(q > 1.0))
            out << "Weakest signal to strongest noise ratio is 1 : " << 1.0 / q << "\n";
        else
            out << "Weakest signal to strongest noise ratio is " << q << " : 1\n";
    }
    if (relativeFigures()) {
        out << "\nSignal intensity variation relative to signal definition:\n";
        out << "Strongest relative signal order: " << 100.0 * R_SS << " % (deviation: +"
            << 100.0 * (R_SS - 1.0) << " %)\n";
        out << "Weakest relative signal order: " << 100.0 * R_WS << " % (deviation: -"
            << 100.0 * (1.0 - R_WS) << " %)\n";
        out << "Strongest relative signal to weakest relative signal ratio is " << ratio(R_SS, R_WS)
            << " : 1\n";
        out << "Relative Uniformity Error: " << 100.0 * R_UE << " %\n";
    }
    return out.str();
}

std::string patternEvaluation::tableHeader()
{
    return "DE[%]\tSCDE[%]\tSF\tZO[%]\tSS[%]\tWS[%]\tSS2WS\tUE[%]\tSN\tWS2SN\tR_SS\tR_WS\t"
           "R_SS2WS\tR_UE[%]\t\n";
}

std::string patternEvaluation::tableRow() const
{
    std::ostringstream out;
    out << 100.0 * DE << "\t" << 100.0 * SCDE << "\t" << sumIW << "\t" << 100.0 * ZO << "\t"
        << 100.0 * SS << "\t" << 100.0 * WS << "\t" << ratio(SS, WS) << "\t" << 100.0 * UE << "\t"
        << 100.0 * SN << "\t";
    if (SN > 0.0)
        out << WS / SN;
    out << "\t";
    if (relativeFigures())
        out << 100.0 * (R_SS - 1.0) << "\t" << 100.0 * (R_WS - 1.0) << "\t" << ratio(R_SS, R_WS)
            << "\t" << 100.0 * R_UE << "\t";
    out << "\n";
    return out.str();
}

std::string patternEvaluation::str() const
{
    return text.str();
}

void patternEvaluation::splitSignalAndNoise()
{
    if (kind != 2 || !doe || !target || (signalPart && noisePart))
        return;
    signalPart.reset(new complexDataField2D(NI, NJ, 0));
    noisePart.reset(new complexDataField2D(NI, NJ, 0));
    if (!farField)
        farField = fft(doe);
    for (int i = 0; i < NI; ++i)
        for (int j = 0; j < NJ; ++j) {
            const int ci = farField->centeredIndexI(i);
            const int cj = farField->centeredIndexJ(j);
            const float v
                = target->isInCenteredRange(ci, cj) ? target->getValuePeriodic(ci, cj) : 0.0f;
            complexDataField2D& part = v > 0.0f ? *signalPart : *noisePart;
            part.setValue(i, j, farField->getValue(i, j));
        }
    signalPart->ifft();
    noisePart->ifft();
}

boost::shared_ptr<complexDataField2D> patternEvaluation::getSignalPart()
{
    if (!signalPart)
        splitSignalAndNoise();
    return signalPart;
}

boost::shared_ptr<complexDataField2D> patternEvaluation::getNoisePart()
{
    if (!noisePart)
        splitSignalAndNoise();
    return noisePart;
}
