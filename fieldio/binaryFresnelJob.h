// binaryFresnelJob: the settings of a binary Fresnel job file and the mask they describe.
#pragma once

#include <QString>
#include <boost/shared_ptr.hpp>

class DataSource2D;
class QTextStream;
class binaryArray2D;
struct OpticalParameters;

// Lengths in metres, the lens power in 1/m.
struct binaryFresnelJob
{
    double wavelength = 0.0;
    double lensPower = 0.0;
    double pitchX = 0.0;
    double pitchY = 0.0;
    double apertureDiameter = 0.0;
    // The last existing element's file name up to its first ".".
    QString elementBaseName;
    // Whether the last existing element loaded as an image; element is its reader.
    bool elementFound = false;
    boost::shared_ptr<DataSource2D> element;
};

// Results of checkBinaryFresnelJob, in the order the checks run.
enum class binaryFresnelJobCheck {
    ready,
    apertureZero,
    apertureNotPositive, // negative or not finite
    wavelengthZero,
    wavelengthNotPositive, // negative or not finite
    noElement,
    pixelSizes, // a pitch zero, negative or not finite
    gridEmpty,  // the aperture spans less than one pitch: no cell along a side
    gridTooLarge,
};

// Largest number of grid cells along either side.
constexpr int maxBinaryFresnelGridSide = 16384;

// Start values: the wavelength and pitches of the optical parameters, lens power 1 / their
// focal length, aperture 0, no element.
binaryFresnelJob startBinaryFresnelJob(const OpticalParameters& optics);

// Reads job-file lines until the end into job. Every line is simplified (outer white space
// dropped, inner runs made one blank); lines starting with "#" or "%", empty lines and unknown
// lines are skipped. A keyword line ("ELEMENT", "FOCAL_LENGTH [mm]", "LENS_POWER [1/m]",
// "WAVELENGTH [nm]", "PIX_SIZE [nm]", "LAYOUT_PIXEL_SIZE [nm]", "APERTURE_DIAMETER [mm]")
// takes the next line, whatever it holds, as its value (empty at the end of the text); numbers
// that do not parse count as 0. An element value is appended to folder (ending in "/"); an
// existing file named "*.de" (any case) clears the element flag, another regular file is
// loaded as an image; files that are not regular (directories, FIFOs, devices) are never
// opened, and names that do not exist change nothing.
void readBinaryFresnelJob(QTextStream& lines, const QString& folder, binaryFresnelJob& job);

// The first failing check: aperture, wavelength, element, pitches, then grid size (no cell, or
// more than maxBinaryFresnelGridSide cells, along either side).
binaryFresnelJobCheck checkBinaryFresnelJob(const binaryFresnelJob& job);

// The mask of a ready job: nx = aperture / pitch x columns (i) and ny = aperture / pitch y rows
// (j), truncated. Cells on or outside the aperture circle around (nx / 2, ny / 2) are 1; inside,
// a cell is 1 where the element sign (+1 for a value read that is not 0, the element tiled from
// cell (0, 0), its top line at row 0) times the sign of the Fresnel zone floor(r^2 * lens power
// / wavelength) (+1 for even zones) is +1, else 0.
boost::shared_ptr<binaryArray2D> binaryFresnelMask(const binaryFresnelJob& job);

// folder + element base name + "_pixSize_" + pitch in nm ("8000nm", or "8000nm x 9000nm" when
// the pitches differ; 6 significant digits), without extension.
QString binaryFresnelResultName(const QString& folder, const binaryFresnelJob& job);
