// patternEvaluation: figures of merit of a DOE's diffraction pattern against a target field or a
// list of signal orders, as a text report, a tab-separated table row and per-order lines.
#pragma once

#include <boost/shared_ptr.hpp>
#include <sstream>
#include <string>

class DataField2D;
class complexDataField2D;
class signalOrderList;

// The far field is the DOE's unscaled forward transform, so a DOE of N = NI NJ elements of
// modulus 1 has the far-field power N^2. Element (i, j) of a field in transform order stands for
// the order (ci, cj) of the centred indices (i, or i - size from (size + 1) / 2 on). Figures
// are fractions of the far-field power; texts print them times 100.
//
// Kind 2 compares with a target field of amplitudes in transform order: a value > 0 marks a
// signal order, every other element is noise. Kind 3 compares with a signal-order list and
// searches the noise over the elements of a grid field. Evaluating transforms the held DOE field
// in place, and kind 3 first removes the orders' plane waves from it: the caller's DOE field is
// consumed. With no signal order, or an empty DOE, every figure is defined: the efficiencies,
// the scale factor, the strongest and weakest order and their relative forms are 0, the
// uniformity errors 1.
class patternEvaluation
{
public:
    // Kind 2; the third field is kept but not read.
    patternEvaluation(boost::shared_ptr<complexDataField2D> doe,
                      boost::shared_ptr<DataField2D> target, boost::shared_ptr<DataField2D> third);
    // Kind 2 with a mask of the target's size (default pitch): 1.0 where the target is above the
    // threshold and at element (0, 0). The target intensity range starts at target (0, 0).
    patternEvaluation(boost::shared_ptr<complexDataField2D> doe,
                      boost::shared_ptr<DataField2D> target, double threshold);
    // Kind 3. The caller owns the list and keeps it alive; evaluating samples, rewrites its
    // intensity statistics and subtracts its waves from the DOE.
    patternEvaluation(boost::shared_ptr<complexDataField2D> doe, signalOrderList* orders,
                      boost::shared_ptr<DataField2D> grid);
    ~patternEvaluation();

    patternEvaluation(const patternEvaluation&) = delete;
    patternEvaluation& operator=(const patternEvaluation&) = delete;

    // Computes the figures. Kind 2 transforms the DOE only once: evaluating again gives the same
    // figures and appends the per-order lines again. Kind 3 needs the DOE as given: once the far
    // field is held (after its first evaluation) it keeps the figures it has.
    void evaluate();
#if !PHASEDECK_LAB
    // The DOE transformed in place; the far field is that same field.
    void computeFarField();
    // Computes the far field first when it is not held.
    boost::shared_ptr<complexDataField2D> getFarField();
#endif

    // The figures as text, lines of "Name: value" with percentages; the variation relative to
    // the target only for a non-uniform target.
    std::string report() const;
    static std::string tableHeader();
    // The values under tableHeader(); for a uniform target the row ends after the WS2SN column.
    std::string tableRow() const;
    // Per-order lines of every kind-2 evaluation so far: "ci\tcj\tI%\tI s%".
    std::string str() const;

    // Kind 2: the DOE-plane fields that make the signal orders and the rest (unscaled inverse
    // transforms of the far field split by the target). Nothing for kind 3.
    void splitSignalAndNoise();
    // Split first when not held; empty for kind 3.
    boost::shared_ptr<complexDataField2D> getSignalPart();
    boost::shared_ptr<complexDataField2D> getNoisePart();

    int getKind() const
    {
        return kind;
    }
    double getDiffractionEfficiency() const
    {
        return DE;
    }
    double getSincCorrectedEfficiency() const
    {
        return SCDE;
    }
    double getScaleFactor() const
    {
        return sumIW;
    }
    double getZerothOrder() const
    {
        return ZO;
    }
    double getStrongestSignal() const
    {
        return SS;
    }
    double getWeakestSignal() const
    {
        return WS;
    }
    double getStrongestNoise() const
    {
        return SN;
    }
    double getUniformityError() const
    {
        return UE;
    }
    double getRelativeStrongestSignal() const
    {
        return R_SS;
    }
    double getRelativeWeakestSignal() const
    {
        return R_WS;
    }
    double getRelativeUniformityError() const
    {
        return R_UE;
    }
    boost::shared_ptr<DataField2D> getMask() const
    {
        return mask;
    }
    // Smallest and largest target intensity (squared amplitude); equal for a uniform target.
    float getMinTargetIntensity() const
    {
        return wMin;
    }
    float getMaxTargetIntensity() const
    {
        return wMax;
    }

private:
    void evaluateTarget();
    void evaluateOrders();
    // The figures from the sums, P the far-field power.
    void computeFigures(float P, double weakest, double strongest, double rawZerothOrder,
                        double strongestNoise, bool haveRelative, double minRelative,
                        double maxRelative);
    // DOE transformed in place, far field = DOE.
    void transformDoe();
    bool relativeFigures() const
    {
        return wMin != wMax;
    }
    // Fraction of the far-field power P; 0 when P is 0.
    static double share(double x, float P);

    unsigned char kind;
    std::ostringstream text;
    boost::shared_ptr<complexDataField2D> doe;
    boost::shared_ptr<complexDataField2D> farField;
    boost::shared_ptr<DataField2D> target;
    signalOrderList* orders;
    boost::shared_ptr<DataField2D> mask;
    boost::shared_ptr<complexDataField2D> signalPart;
    boost::shared_ptr<complexDataField2D> noisePart;
    int NI;
    int NJ;
    float dx;
    float dy;
    int gridNI;
    int gridNJ;
    double sumI;
    double sumIs;
    double sumW;
    double sumW2;
    float wMin;
    float wMax;
    double sumIW; // the signal energy scale factor once evaluated
    double DE;
    double SCDE;
    double ZO;
    double WS;
    double R_WS;
    double SS;
    double R_SS;
    double SN;
    double UE;
    double R_UE;
};
