// The real 2-D field of 32-bit floats with its centre, pixel pitch and cached extrema, and the
// free arithmetic on such fields.
#pragma once

#include <boost/shared_ptr.hpp>
#include <type_traits>

// Element (i, j) lies at index sizeI * j + i: i runs fastest. Whole-field loops run j outside,
// i inside. The physical coordinate of index i is (i - sizeI / 2) * dx + x0 (integer halving);
// lengths in metres. Fields made inside an operation that inherit no pitch take the default pixel
// pitch of the optical parameters at the moment they are made.
class DataField2D
{
public:
    // Allocates sizeI * sizeJ elements set to fill, in one block on a 64-byte boundary. A
    // negative size or a failed allocation gives an empty field (sizes 0, no data) with isOk()
    // false.
    DataField2D(int sizeI, int sizeJ, double x0, double y0, double dx, double dy, float fill);
    // Adopts the caller's array (allocated with new[]) without copying and frees it later. A null
    // array gives an empty field with isOk() false. (A template, so that a fill given as the
    // literal 0 does not pick this constructor.)
    template<typename T, typename = std::enable_if_t<std::is_same<T, float>::value>>
    DataField2D(int sizeI, int sizeJ, double x0, double y0, double dx, double dy, T* array)
        : DataField2D(sizeI, sizeJ, x0, y0, dx, dy, AdoptTag{}, array)
    {}
    // Copies sizes, values, centre and pitch; the cached extrema are not copied.
    DataField2D(const DataField2D& other);
    virtual ~DataField2D();
    // Self-assignment does nothing.
    DataField2D& operator=(const DataField2D& other);

    // Sizes to 0, frees the elements; isOk() keeps its value.
    void clear();
    bool isOk() const { return ok; }

    // Element access. Only getValueChecked tests the indices: outside the field it shows the
    // "Error!" box and returns 0.0.
    float getValueChecked(int i, int j) const;
    float getValue(int i, int j) const { return data[sizeI * j + i]; }
    // Both indices wrapped into 0..size-1 (-1 reads the last element); an empty field gives 0.0
    // and the setters do nothing on it.
    float getValuePeriodic(int i, int j) const;
    void setValue(int i, int j, float v) { data[sizeI * j + i] = v; }
    void setValue(int i, float v) { data[i] = v; }
    void setValuePeriodic(int i, int j, float v);
    void setValuePeriodic(int i, float v);
    void addValue(int i, int j, float v) { data[sizeI * j + i] += v; }
    // The block of sizeI * sizeJ elements in storage order (element (i, j) at sizeI * j + i),
    // null for an empty field, for element-wise passes.
    const float* elementData() const { return data; }
    // Value at the fractional position (x along i, y along j). Mode 0: element
    // (trunc(x + 0.49), trunc(y + 0.49)) read with getValueChecked. Mode 1: raised-cosine blend
    // of the 2 x 2 elements from (trunc(x), trunc(y)); on the last column or row only the
    // elements inside are blended, each read with getValueChecked. Other modes: as mode 0
    // without the check, so the caller keeps the position inside the field. A NaN coordinate
    // or one beyond the int range lies outside the field in every mode: one box and 0.0.
    float sampleAt(double x, double y, int mode) const;

    int getSizeI() const { return sizeI; }
    int getSizeJ() const { return sizeJ; }
    double getX0() const { return x0; }
    double getY0() const { return y0; }
    double getDx() const { return dx; }
    double getDy() const { return dy; }
    void setPixelSize(double newDx, double newDy);
    void setDx(double newDx) { dx = newDx; }
    void setDy(double newDy) { dy = newDy; }
    // (i - sizeI / 2) * dx + x0 for a possibly fractional index i; getY likewise along j.
    double getX(double i) const;
    double getY(double j) const;

    // Signed frequency order: i for i < (sizeI + 1) / 2, else i - sizeI (size 4: 0, 1, -2, -1).
    int centeredIndexI(int i) const;
    int centeredIndexJ(int j) const;
    // -(size / 2) <= index < (size + 1) / 2 along both directions.
    bool isInCenteredRange(int i, int j) const;

    // Geometric copies; this field stays unchanged.
    // Content moved by (+di, +dj) with wrap-around; centre 0, default pitch.
    boost::shared_ptr<DataField2D> cyclicShift(int di, int dj) const;
    // nI x nJ with coinciding centres, zero padded or cropped; centre 0, this field's pitch.
    boost::shared_ptr<DataField2D> resizeCentered(int nI, int nJ) const;
    // nI x nJ window around the centre; centre 0, default pitch. Elements of a window larger
    // than the field are 0.0.
    boost::shared_ptr<DataField2D> cropCentered(int nI, int nJ) const;

    // In-place arithmetic over this field's sizes. The operand field must cover this field;
    // otherwise the "Error!" box is shown and this field stays unchanged. Division by an
    // element 0 (or -0) gives 0.0.
    DataField2D& operator+=(const DataField2D& b);
    DataField2D& operator+=(boost::shared_ptr<DataField2D> b);
    DataField2D& operator+=(float s);
    DataField2D& operator-=(const DataField2D& b);
    DataField2D& operator-=(boost::shared_ptr<DataField2D> b);
    DataField2D& operator-=(float s);
    DataField2D& operator*=(const DataField2D& b);
    DataField2D& operator*=(boost::shared_ptr<DataField2D> b);
    DataField2D& operator*=(float s);
    DataField2D& operator/=(const DataField2D& b);
    DataField2D& operator/=(boost::shared_ptr<DataField2D> b);
    // s == 0 turns every element (NaN included) into 0.0.
    DataField2D& operator/=(float s);

    // Whole-field maps in place.
    void applyPow(int n);
    // A negative element becomes NaN.
    void applySqrt();
    // Multiplies by 1 / max; a maximum <= 0 or NaN leaves the field unchanged.
    void divideByMax();
    // Maps [min, max] onto [0, 1]. A constant field c becomes 0 for c < 0, 1 for c > 1 and stays
    // otherwise.
    void normalizeToUnitRange();
    // New fields with this field's sizes, centre and pitch.
    boost::shared_ptr<DataField2D> power(int n) const;
    boost::shared_ptr<DataField2D> squareRoot() const;

    // Mask with this field's sizes and pitch, centre 0: 1.0 where v >= t or v is NaN, else 0.0.
    boost::shared_ptr<DataField2D> binarize(float t) const;
    // Number of elements with v > t; NaN is never counted.
    int countValuesAbove(float t) const;

    // Statistics. Every getter runs the extrema pass first; an empty field has max = min = 0.
    void computeExtrema();
    float getMax();
    float getMin();
    void getMinMax(float& min, float& max);
    // The smallest value above 0; without one the "Error!" box and -1.0.
    float GetMinimalPositive();
    // The largest value below 0; without one the "Error!" box and +1.0.
    float GetMaximalNegative();
    double getSum() const;
    double getSumOfSquares() const;
    bool isConstant();

    // Finite differences with 3- or 5-point stencils (any other count gives zeros) over the pitch
    // along their direction. Along j the values are read with getValueChecked, so a field
    // shorter than the stencil shows the box for every missing neighbour; elsewhere missing
    // neighbours read as 0.0 without a box.
    boost::shared_ptr<DataField2D> derivativeX(int points) const;
    boost::shared_ptr<DataField2D> derivativeY(int points) const;
    boost::shared_ptr<DataField2D> secondDerivativeX(int points) const;
    boost::shared_ptr<DataField2D> secondDerivativeY(int points) const;
    boost::shared_ptr<DataField2D> laplacian(int points) const;
    // (c + w * S) / (1 + n w) with S the sum of the n neighbours of the 3 x 3 block inside the
    // field.
    boost::shared_ptr<DataField2D> smooth(double w) const;
    // result(i, j) = sum of v(k, j) for k = 0..i.
    boost::shared_ptr<DataField2D> cumulativeSumI() const;
    // With c = sizeI / 2: sum of (k - c) v(k, j) over k = c..i for i >= c, over k = i..c-1
    // for i < c.
    boost::shared_ptr<DataField2D> centredMomentSumI() const;

    // Binomial coefficient a over b, exact, computed in 64 bits without recursion. a < b shows
    // the "Error!" box once for every level (a - k, b - k), k = 0 .. b - 1, of the defining
    // recursion a over b = a (a - 1 over b - 1) / b; the result is then 0 for a >= 0 and the
    // generalised coefficient for a < 0. A negative b, and a result beyond the int range (40
    // over 20), show the box for (a, b) and give 0.
    static int binomial(int a, int b);

private:
    struct AdoptTag
    {
    };
    DataField2D(int sizeI, int sizeJ, double x0, double y0, double dx, double dy, AdoptTag,
                float* array);
    // A new zero-filled field in a shared pointer: given geometry, or this field's.
    static boost::shared_ptr<DataField2D> newField(int nI, int nJ, double x0, double y0, double dx,
                                                   double dy);
    boost::shared_ptr<DataField2D> newFieldLike() const;
    void allocate(int newSizeI, int newSizeJ);
    void copyFrom(const DataField2D& other);

    bool ok;
    float* data;
    // data came from the caller's new[] (the adopting constructor), not from allocate.
    bool adopted = false;
    int sizeI;
    int sizeJ;
    double x0;
    double y0;
    double dx;
    double dy;
    float maxValue;
    float minValue;
    float minimalPositive;
    float maximalNegative;
};

// A fractional position as an element index: trunc(position) when that fits an int (which
// isIndexPosition tells). NaN and positions below the int range give INT_MIN, positions above
// it INT_MAX: indexes outside every field.
bool isIndexPosition(double position);
int truncatedIndex(double position);

// An element function of the combiners.
using realElementFunction = float (*)(float a, float b);

float elementAdd(float a, float b);
float elementSubtract(float a, float b);
float elementMultiply(float a, float b);
// 0.0 when b == 0 (also -0), else a / b.
float elementDivide(float a, float b);
// 0.0 when a == 0, else b / a.
float elementDivideReversed(float a, float b);

// The combiners: a copy of a (sizes, centre, pitch) with every element f(a(i, j), b(i, j)) or
// f(a(i, j), s). b must cover a; otherwise the "Error!" box and the unchanged copy of a. The
// result never aliases an operand.
DataField2D applyElementFunction(const DataField2D& a, const DataField2D& b, realElementFunction f);
DataField2D applyElementFunction(const DataField2D& a, float s, realElementFunction f);
boost::shared_ptr<DataField2D> applyElementFunction(boost::shared_ptr<DataField2D> a, float s,
                                                    realElementFunction f);
boost::shared_ptr<DataField2D> applyElementFunction(boost::shared_ptr<DataField2D> a,
                                                    boost::shared_ptr<DataField2D> b,
                                                    realElementFunction f);

DataField2D operator+(const DataField2D& a, const DataField2D& b);
DataField2D operator+(const DataField2D& a, float s);
DataField2D operator+(float s, const DataField2D& a);
boost::shared_ptr<DataField2D> operator+(boost::shared_ptr<DataField2D> a,
                                         boost::shared_ptr<DataField2D> b);
boost::shared_ptr<DataField2D> operator+(boost::shared_ptr<DataField2D> a, float s);
boost::shared_ptr<DataField2D> operator+(float s, boost::shared_ptr<DataField2D> a);

DataField2D operator-(const DataField2D& a, const DataField2D& b);
DataField2D operator-(const DataField2D& a, float s);
DataField2D operator-(float s, const DataField2D& a);
boost::shared_ptr<DataField2D> operator-(boost::shared_ptr<DataField2D> a,
                                         boost::shared_ptr<DataField2D> b);
boost::shared_ptr<DataField2D> operator-(boost::shared_ptr<DataField2D> a, float s);
boost::shared_ptr<DataField2D> operator-(float s, boost::shared_ptr<DataField2D> a);
DataField2D operator-(const DataField2D& a);
boost::shared_ptr<DataField2D> operator-(boost::shared_ptr<DataField2D> a);

DataField2D operator*(const DataField2D& a, const DataField2D& b);
DataField2D operator*(const DataField2D& a, float s);
DataField2D operator*(float s, const DataField2D& a);
boost::shared_ptr<DataField2D> operator*(boost::shared_ptr<DataField2D> a,
                                         boost::shared_ptr<DataField2D> b);
boost::shared_ptr<DataField2D> operator*(boost::shared_ptr<DataField2D> a, float s);
boost::shared_ptr<DataField2D> operator*(float s, boost::shared_ptr<DataField2D> a);

DataField2D operator/(const DataField2D& a, const DataField2D& b);
DataField2D operator/(const DataField2D& a, float s);
// s / v, and 0.0 where v == 0.
DataField2D operator/(float s, const DataField2D& a);

// Functions of two fields with the geometry of a; b must cover a.
DataField2D sqrt(const DataField2D& a);
boost::shared_ptr<DataField2D> sqrt(boost::shared_ptr<DataField2D> a);
DataField2D hypot(const DataField2D& a, const DataField2D& b);
// atan2(b, a): the phase in -pi..pi of the pair (real part a, imaginary part b).
DataField2D atan2(const DataField2D& a, const DataField2D& b);
DataField2D squaredMagnitude(const DataField2D& a, const DataField2D& b);
// Sum over a's elements of a(i, j) * b(i, j), accumulated in double; 0 when b does not cover a.
float scalarProduct(const DataField2D& a, const DataField2D& b);
float scalarProduct(boost::shared_ptr<DataField2D> a, boost::shared_ptr<DataField2D> b);
