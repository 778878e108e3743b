// A quadratic phase factor around the transforms of an IFTA, computed per pixel or precomputed.
#pragma once

#include <boost/shared_ptr.hpp>

class complexDataField2D;

// Kernel at (i, j) of an nI x nJ grid: polarUnit(r c) with r the integer part of ci^2 + cj^2 and
// ci = i for i < nI / 2, else i - nI (likewise cj); c in radians per squared pixel index.
class quadraticPhaseOperator2D
{
public:
    // Mode 1: the kernel is computed per pixel from the sizes of each field.
    explicit quadraticPhaseOperator2D(double c);
    // Mode 2: the kernel is precomputed for nI x nJ fields.
    quadraticPhaseOperator2D(double c, int nI, int nJ);
    virtual ~quadraticPhaseOperator2D();

    // f times the kernel, in place; returns f. In mode 2 a field of other sizes than the kernel
    // shows the "Error!" box and stays unchanged.
    virtual boost::shared_ptr<complexDataField2D> apply(boost::shared_ptr<complexDataField2D> f);
    // f times the conjugate kernel, in place; returns f. Undoes apply.
    virtual boost::shared_ptr<complexDataField2D>
    applyInverse(boost::shared_ptr<complexDataField2D> f);

    bool isReady() const { return ready; }
    int getMode() const { return mode; }

private:
    void multiply(complexDataField2D& f, bool conjugate, const char* method) const;

    bool ready;
    int mode;
    float coefficient;
    int nI;
    int nJ;
    boost::shared_ptr<complexDataField2D> kernel;
};
