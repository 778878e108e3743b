// grating2D: order directions, angles and tables; the free point functions beside it.
#include "design/grating2D.h"

#include "base/Logfile.h"
#include "base/phasedeckGlobals.h"
#include "fields/DataField2D.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>

namespace {

constexpr double pi = 3.141592653589793;
constexpr double standardWavelength = 6.328e-7;
constexpr double degreesPerRadian = 180.0 / pi;

// Zero, negative, NaN and infinite lengths are illegal; an infinite period would make the order
// walk of the tables endless.
bool isLegalLength(double length)
{
    return length > 0.0 && std::isfinite(length);
}

// The order limit of a table: truncated toward zero, NaN gives 0, and the magnitude stays below
// INT_MAX so that the walk's counter cannot overflow.
int orderLimit(double value)
{
    if (std::isnan(value))
        return 0;
    const double cap = double(std::numeric_limits<int>::max() - 1);
    return static_cast<int>(std::clamp(value, -cap, cap));
}

#if !PHASEDECK_LAB
// The highest order of an angle table, sin(maxAngle) period / wavelength rounded half up;
// maxAngle in degrees.
int roundedAngleLimit(double maxAngle, double wavelength, double period)
{
    const double theta = pi * maxAngle * 0.005555555555555556;
    return orderLimit(std::sin(theta) / wavelength * period + 0.5);
}
#endif

bool hasElements(const boost::shared_ptr<DataField2D>& field)
{
    return field && field->getSizeI() > 0 && field->getSizeJ() > 0;
}

const std::string& microSign()
{
    static const std::string sign = QString(QChar(0xB5)).toStdString();
    return sign;
}

} // namespace

grating2D::grating2D(double periodA, double periodB)
{
    if (isLegalLength(periodA)) {
        gp_A = periodA;
    } else {
        gp_A = 0.001;
        theLogfile.warning(
            "Illegal initialization of grating2D object. Using standard value for gp_A: 0.001.");
    }
    gp_B = isLegalLength(periodB) ? periodB : gp_A;
    wavelength = standardWavelength;
    e1.set(1.0, 0.0, 0.0);
    e2.set(0.0, 1.0, 0.0);
    e3.set(0.0, 0.0, 1.0);
    k = (2.0 * pi / wavelength) * e3;
    G1 = (2.0 * pi / gp_A) * e1;
    G2 = (2.0 * pi / gp_B) * e2;
    // Tables read the same in every locale.
    angleText.imbue(std::locale::classic());
#if !PHASEDECK_LAB
    frequencyText.imbue(std::locale::classic());
#endif
}

void grating2D::setWavelength(double lambda)
{
    if (isLegalLength(lambda)) {
        wavelength = lambda;
    } else {
        wavelength = standardWavelength;
        theLogfile.warning("Illegal initialization of grating2D object. Using standard wavelength "
                           "value: 633nm.");
    }
    k = (2.0 * pi / wavelength) * e3;
    directionValid = false;
}

void grating2D::computeDirection(int nx, int ny)
{
    if (directionValid && nx == cachedNx && ny == cachedNy)
        return;
    const vector3D a = k.dot(e1) * e1 + double(nx) * G1;
    const vector3D b = k.dot(e2) * e2 + double(ny) * G2;
    const vector3D transverse = b + a;
    const double k0 = (pi / wavelength) * 2.0;
    const double kz = std::sqrt(std::pow(k0, 2.0) - std::pow(transverse.length(), 2.0));
    vector3D axis;
    e1.cross(e2, axis);
    direction = transverse + kz * axis;
    direction.normalize();
    cachedNx = nx;
    cachedNy = ny;
    directionValid = true;
}

double grating2D::getPhiR(int nx, int ny)
{
    computeDirection(nx, ny);
    if (nx == 0 && ny == 0)
        return 0.0;
    vector3D sine;
    e3.cross(direction, sine);
    return std::atan(sine.length() / e3.dot(direction)) * degreesPerRadian;
}

double grating2D::getPhiX(int nx, int ny)
{
    computeDirection(nx, ny);
    if (nx == 0)
        return 0.0;
    return std::atan(direction.dot(e1) / direction.dot(e3)) * degreesPerRadian;
}

double grating2D::getPhiY(int nx, int ny)
{
    computeDirection(nx, ny);
    if (ny == 0)
        return 0.0;
    return std::atan(direction.dot(e2) / direction.dot(e3)) * degreesPerRadian;
}

void grating2D::writePeriodLine(std::ostringstream& out) const
{
    if (gp_A == gp_B)
        out << "Diffractive structure has a spatial period of: " << gp_A * 1e6 << " " << microSign()
            << "m\n";
    else
        out << "Diffractive structure has a tile size period of: " << gp_A * 1e6 << microSign()
            << "m x " << gp_B * 1e6 << microSign() << "m\n";
}

void grating2D::writeAngleHead()
{
    writePeriodLine(angleText);
    angleText << "Diffraction angles in the table are for the wavelength: " << wavelength * 1e9
              << " nm\n\n";
    angleText << "n_x\tn_y\tphi_x\tphi_y\tphi_r\n";
}

void grating2D::writeAngleRow(int nx, int ny, bool limited, double limit)
{
    const double phiX = getPhiX(nx, ny);
    const double phiY = getPhiY(nx, ny);
    const double phiR = getPhiR(nx, ny);
    if (limited && !(phiR < limit))
        return;
    angleText << nx << "\t" << ny << "\t" << phiX << "\t" << phiY << "\t" << phiR << "\n";
}

#if PHASEDECK_LAB

std::string grating2D::getSignalAngleTable(boost::shared_ptr<DataField2D> field)
{
    writeAngleHead();
    if (!hasElements(field))
        return angleText.str();
    const int sizeI = field->getSizeI();
    const int sizeJ = field->getSizeJ();
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j) {
            if (!(field->getValue(i, j) > 0.0f))
                continue;
            const int nx = i <= sizeI / 2 ? i : i - sizeI;
            const int ny = j <= sizeJ / 2 ? j : j - sizeJ;
            writeAngleRow(nx, ny, false, 0.0);
        }
    return angleText.str();
}

std::string grating2D::getAngleTable(double maxAngle)
{
    const double thetaDeg = maxAngle * 180.0 / pi;
    writeAngleHead();
    const int nxMax = orderLimit(std::sin(maxAngle) * gp_A / wavelength);
    const int nyMax = orderLimit(std::sin(maxAngle) * gp_B / wavelength);
    for (int nx = -nxMax; nx <= nxMax; ++nx)
        for (int ny = -nyMax; ny <= nyMax; ++ny)
            writeAngleRow(nx, ny, true, thetaDeg);
    return angleText.str();
}

#else

std::string grating2D::getSignalAngleTable(boost::shared_ptr<DataField2D> field, double maxAngle)
{
    writeAngleHead();
    if (!hasElements(field))
        return angleText.str();
    const int nxMax = roundedAngleLimit(maxAngle, wavelength, gp_A);
    const int nyMax = roundedAngleLimit(maxAngle, wavelength, gp_B);
    for (int nx = -nxMax; nx <= nxMax; ++nx)
        for (int ny = -nyMax; ny <= nyMax; ++ny)
            if (field->getValuePeriodic(nx, ny) > 0.0f)
                writeAngleRow(nx, ny, true, maxAngle);
    return angleText.str();
}

std::string grating2D::getSignalFrequencyTable(boost::shared_ptr<DataField2D> field)
{
    writePeriodLine(frequencyText);
    frequencyText << "Spatial frequencies in the table : " << wavelength * 1e9 << " nm\n\n";
    frequencyText << "nx\tny\tf_x\tf_y\trel_p\n";
    if (!hasElements(field))
        return frequencyText.str();
    const int nxMax = orderLimit(gp_A / wavelength + 0.5);
    const int nyMax = orderLimit(gp_B / wavelength + 0.5);
    for (int nx = -nxMax; nx <= nxMax; ++nx)
        for (int ny = -nyMax; ny <= nyMax; ++ny) {
            const float value = field->getValuePeriodic(nx, ny);
            if (value > 0.0f)
                frequencyText << nx << "\t" << ny << "\t" << nx / gp_A << "\t" << ny / gp_B << "\t"
                              << double(value) << "\n";
        }
    return frequencyText.str();
}

std::string grating2D::getAngleTable(double maxAngle)
{
    writeAngleHead();
    const int nxMax = roundedAngleLimit(maxAngle, wavelength, gp_A);
    const int nyMax = roundedAngleLimit(maxAngle, wavelength, gp_B);
    for (int nx = -nxMax; nx <= nxMax; ++nx)
        for (int ny = -nyMax; ny <= nyMax; ++ny)
            writeAngleRow(nx, ny, true, maxAngle);
    return angleText.str();
}

#endif

double fresnelReflectance(double cosI, double n)
{
    const double cosT = std::sqrt(1.0 - (1.0 - std::pow(cosI, 2.0)) / std::pow(n, 2.0));
    const double rs = (cosI - n * cosT) / (cosI + n * cosT);
    const double rp = (n * cosI - cosT) / (n * cosI + cosT);
    return 0.5 * (std::pow(rs, 2.0) + std::pow(rp, 2.0));
}

point2D dehomogenize(double x, double y, double w)
{
    const double scale = 1.0 / w;
    return {x * scale, y * scale};
}

point2D rotatePoint(double x, double y, double t)
{
    return {x * std::cos(t) + y * std::sin(t), y * std::cos(t) - x * std::sin(t)};
}

point2D orderPosition(double x0, double y0, double px, double py, int m, int n, double c)
{
    point2D p{x0, y0};
    if (px != 0.0 && m != 0)
        p.x = x0 + c / px * m;
    if (py != 0.0 && n != 0)
        p.y = y0 + c / py * n;
    return p;
}
