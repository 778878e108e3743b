// Geometry of a two-dimensional periodic structure at normal incidence: directions and angles of
// its diffraction orders and text tables of them; a few free point functions of optics layouts.
#pragma once

#include "design/vector3D.h"

#include <boost/shared_ptr.hpp>
#include <sstream>
#include <string>

class DataField2D;

struct point2D
{
    double x = 0.0;
    double y = 0.0;
};

// Periods gp_A (along x) and gp_B (along y) and the wavelength in metres, angles in degrees
// unless a method says otherwise. Order (nx, ny) leaves along (2 pi nx / gp_A, 2 pi ny / gp_B, kz)
// with kz^2 = (2 pi / wavelength)^2 - |transverse part|^2; an order that does not propagate gets
// NaN angles. The direction of the last order asked for is cached, so every getter and table
// is a mutating call. Tables append to a text that is never cleared and return all of it; the
// micro sign in the head lines is UTF-8.
class grating2D
{
public:
    // A period that is zero, negative, NaN or infinite: gp_A becomes 0.001 with a log warning,
    // gp_B becomes gp_A silently. The wavelength starts at 632.8 nm.
    grating2D(double gp_A, double gp_B);

    // An illegal wavelength (as for the periods) becomes 632.8 nm with a log warning.
    void setWavelength(double lambda);
    // Makes the cached direction the unit direction of order (nx, ny).
    void computeDirection(int nx, int ny);

    // Polar angle from the optical axis; 0.0 for order (0, 0).
    double getPhiR(int nx, int ny);
    // Angle of the projection on the x-z plane; 0.0 when nx is 0.
    double getPhiX(int nx, int ny);
    // Angle of the projection on the y-z plane; 0.0 when ny is 0.
    double getPhiY(int nx, int ny);

    // The tables look orders up in a field in transform order (order (0, 0) at element (0, 0),
    // negative orders at the far end); an order is signal where its value is > 0. A null field
    // or one without elements gives the head lines and no rows.
#if PHASEDECK_LAB
    // Every element > 0 is an order: nx = i for i <= sizeI / 2, else i - sizeI (ny likewise);
    // one row per such order (i outer, j inner), non-propagating orders included.
    std::string getSignalAngleTable(boost::shared_ptr<DataField2D> field);
    // All orders with |nx| <= trunc(sin(maxAngle) gp_A / wavelength) (ny likewise) whose polar
    // angle is below maxAngle; maxAngle in radians.
    std::string getAngleTable(double maxAngle);
#else
    // Signal orders with |nx| <= round(sin(maxAngle) gp_A / wavelength) (ny likewise) and a
    // polar angle below maxAngle.
    std::string getSignalAngleTable(boost::shared_ptr<DataField2D> field, double maxAngle);
    // Signal orders with |nx| <= round(gp_A / wavelength) (ny likewise), their spatial
    // frequencies in 1/m and field values.
    std::string getSignalFrequencyTable(boost::shared_ptr<DataField2D> field);
    // Every order of the range of getSignalAngleTable with a polar angle below maxAngle.
    std::string getAngleTable(double maxAngle);
#endif

private:
    void writePeriodLine(std::ostringstream& out) const;
    void writeAngleHead();
    // Computes phi_x, phi_y and phi_r of the order (in that order) and writes its row; when
    // limited, only if phi_r < limit (a NaN fails).
    void writeAngleRow(int nx, int ny, bool limited, double limit);

    double gp_A;
    double gp_B;
    double wavelength;
    vector3D e1;
    vector3D e2;
    vector3D e3;
    vector3D G1;
    vector3D G2;
    vector3D k;
    int cachedNx = 0;
    int cachedNy = 0;
    bool directionValid = false; // false until computed, and again after a wavelength change
    vector3D direction;
    std::ostringstream angleText;
#if !PHASEDECK_LAB
    std::ostringstream frequencyText;
#endif
};

// Unpolarised reflectance from index 1 into index ratio n at the incidence cosine cosI.
double fresnelReflectance(double cosI, double n);
// (x / w, y / w), formed as products with 1 / w.
point2D dehomogenize(double x, double y, double w);
// (x cos t + y sin t, y cos t - x sin t), t in radians.
point2D rotatePoint(double x, double y, double t);
// (x0 + c m / px, y0 + c n / py) for periods px, py and a scale c such as wavelength times focal
// length; a coordinate stays at x0 (y0) when its period or order is 0.
point2D orderPosition(double x0, double y0, double px, double py, int m, int n, double c);
