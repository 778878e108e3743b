// The full-screen bitmap of a pattern window as a pure function of its working image and its
// adjustment values: gray lookup table, palette, tiling, lens and prism phases, zoom geometry.
#pragma once

#include <QImage>
#include <QString>
#include <QVector>
#include <array>

// Gray value per pattern value 0..255 (phase in gray steps, 256 steps = 2 pi).
using GrayTable = std::array<int, 256>;

// Gray table for the gray values g0 (phase 0) and g1 (phase 2 pi) and the gamma value 0..255.
// For v in g0..g1 entry v follows the gamma curve from g0 to g1 (127 is close to the identity,
// 128 and up bends it the other way); 0 and 255 use the exponent 0. Entries outside the range
// hold the value of the nearer end, so equal values give a constant table and reversed values
// a falling one.
GrayTable computeGrayTable(unsigned char g0, unsigned char g1, int gammaValue);

// 256 opaque grays: entry i is the low 8 bits of table[i], or (g0 + g1 - table[i]) mod 256
// when inverted.
QVector<QRgb> grayTablePalette(const GrayTable& table, bool inverted, unsigned char g0,
                               unsigned char g1);

// The image as 8-bit gray values: Indexed8 with the gray ramp, each index the toolkit gray of
// the pixel's colour. A null image stays null.
QImage phaseImageOf(const QImage& image);

// The gray levels of a pattern that uses only one or two of them, and the grays shown for them.
struct PatternLevels
{
    bool oneLevel = false;
    bool twoLevel = false;
    unsigned char level1Gray = 0;
    unsigned char level2Gray = 0;
    int grayValue1 = 0;
    int grayValue2 = 0;
};

// Reads the two levels of an 8-bit image: level 1 is the palette red of the first pixel, level 2
// that of the first pixel (in storage order) whose red differs; without one it equals level 1.
void readTwoLevels(const QImage& image, unsigned char& level1, unsigned char& level2);

// The levels of a pattern window's phase image: one or two gray levels (read as readTwoLevels
// does), each shown with its own gray at first; neither flag for a null image or more levels.
PatternLevels patternLevelsOf(const QImage& phaseImage);

struct CompositionParameters
{
    int fullWidth = 1920;
    int fullHeight = 1080;
    int gammaValue = 127;
    unsigned char grayPhase0 = 0;
    unsigned char grayPhase2Pi = 255;
    int lensValue = 0;   // -100..100
    int prismXValue = 0; // -100..100
    int prismYValue = 0;
    int shiftX = 0; // pixels; positive moves the pattern left
    int shiftY = 0; // pixels; positive moves the pattern up
    bool inverted = false;
    // Compensation values, fullWidth x fullHeight bytes with row 0 the bottom line; null when
    // no background image is loaded. A loaded image selects the per-pixel path; the internal
    // edition also adds its values to the pattern.
    const unsigned char* background = nullptr;
};

// True when the composition only needs the palette and block copies.
bool usesFastPath(const CompositionParameters& p);

// The full-screen image (Indexed8, fullWidth x fullHeight, 256 colours) of the working image
// `work` (Indexed8 with its index as gray value; a null image counts as all 0). Pixel (c, r)
// shows work pixel ((c - W/2 + shiftX + w/2) mod w, (r - H/2 + shiftY + h/2) mod h), so the
// pattern is tiled with its centre (w/2, h/2) at (W/2 - shiftX, H/2 - shiftY). The result of
// the fast path carries the adjusted work palette; that of the per-pixel path holds
// (phase + value) mod 256 under the palette of the gray table.
QImage composeFullScreen(const QImage& work, const PatternLevels& levels,
                         const CompositionParameters& p);

// The two paths by themselves (composeFullScreen picks one).
QImage composeTiled(const QImage& work, const PatternLevels& levels,
                    const CompositionParameters& p);
QImage composePerPixel(const QImage& work, const PatternLevels& levels,
                       const CompositionParameters& p);

// The 8-bit bitmap of a composition (Indexed8) through its colour table into out, a Format_RGB32
// image of the same size that is reused when it has that size and format (and is not shared).
// Colours are opaque; an index beyond the colour table shows black.
void expandToColours(const QImage& bitmap, QImage& out);

// The part `source` of bitmap through its colour table, as expandToColours does, into 32-bit
// pixels from dst on, rows bytesPerLine apart (dst is the pixel of source's top-left corner);
// pixels of source outside the bitmap are left alone.
void expandRectToColours(const QImage& bitmap, const QRect& source, uchar* dst,
                         qsizetype bytesPerLine);

// composeFullScreen into bitmap, as one slider step of the window runs it: the image of the step
// before is reused when it has the size and format and holds its pixels alone.
void composeFullScreenInto(const QImage& work, const PatternLevels& levels,
                           const CompositionParameters& p, QImage& bitmap);

// Zoom: level n scales by zoomBase^n (three steps double the size).
constexpr double zoomBase = 1.2599210498948732;

struct ZoomGeometry
{
    int level = 0;
    double factor = 1.0;
    int scaledWidth = 0; // size of the working image
    int scaledHeight = 0;
    bool cropped = false; // only a central part of the source is scaled
    int cropX = 0;
    int cropY = 0;
    int cropWidth = 0;
    int cropHeight = 0;
};

// Geometry of zoom level `level` for a source of imageWidth x imageHeight on a full screen of
// fullWidth x fullHeight. Beyond twice the screen along an axis only the central part that
// fills twice the screen is scaled. Returns false when a scaled size or a crop side would drop
// below 1 (the zoom is refused).
bool zoomGeometry(int level, int imageWidth, int imageHeight, int fullWidth, int fullHeight,
                  ZoomGeometry& out);

// The working image for a geometry: nearest-neighbour scaling for two-level patterns, smooth
// scaling kept as an 8-bit gray image otherwise.
QImage resampleForZoom(const QImage& source, const ZoomGeometry& g, bool twoLevel);

// "Zoom:\n" + percentage + "%": an integer from 100 % up, fixed-point with 0 to 3 decimals
// below.
QString zoomLabelText(double factor);
