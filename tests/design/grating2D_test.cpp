// Tests of the diffraction-order geometry: log warnings for illegal values, order angles, table
// heads, rows and appending, fields without elements, and the free point functions.
#include "design/grating2D.h"

#include "base/Logfile.h"
#include "base/phasedeckGlobals.h"
#include "designTestFields.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <limits>
#include <sstream>

using namespace designTest;

namespace {

constexpr double wavelength = 6.328e-7;
constexpr double period = 2e-5;
constexpr double degrees = 180.0 / pi;
const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();

const char* const periodWarning
    = "Illegal initialization of grating2D object. Using standard value for gp_A: 0.001.";
const char* const wavelengthWarning
    = "Illegal initialization of grating2D object. Using standard wavelength value: 633nm.";

// The log file is created in the working folder at its first line and stays there: the whole
// program runs in one temporary folder.
class LogFolder : public testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(oldCwd); }

    QTemporaryDir dir;
    QString oldCwd;
};

LogFolder* const logFolder
    = static_cast<LogFolder*>(testing::AddGlobalTestEnvironment(new LogFolder));

// The messages of the log's WARNING lines so far.
QStringList warnings()
{
    QFile file(logFolder->dir.filePath(QString::fromStdString(theLogfile.logFileName())));
    QStringList result;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QString marker = QStringLiteral("\tWARNING: \t");
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (line.contains(marker))
            result << line.mid(line.indexOf(marker) + marker.size());
    return result;
}

const std::string micro = "\xC2\xB5";

std::string angleHead(const std::string& periodLine, const std::string& wavelengthNm = "632.8")
{
    return periodLine + "Diffraction angles in the table are for the wavelength: " + wavelengthNm
           + " nm\n\nn_x\tn_y\tphi_x\tphi_y\tphi_r\n";
}

const std::string head20um
    = angleHead("Diffractive structure has a spatial period of: 20 " + micro + "m\n");

// The angle table of both editions for a limit in degrees.
std::string angleTable(grating2D& g, double maxAngleDegrees)
{
#if PHASEDECK_LAB
    return g.getAngleTable(maxAngleDegrees / degrees);
#else
    return g.getAngleTable(maxAngleDegrees);
#endif
}

std::vector<std::string> rowsAfterHead(const std::string& table, const std::string& head)
{
    EXPECT_EQ(table.substr(0, head.size()), head);
    std::vector<std::string> rows;
    std::istringstream in(table.substr(head.size()));
    for (std::string line; std::getline(in, line);)
        rows.push_back(line);
    return rows;
}

std::string row(int nx, int ny, double phiX, double phiY, double phiR)
{
    std::ostringstream out;
    out << nx << "\t" << ny << "\t" << phiX << "\t" << phiY << "\t" << phiR;
    return out.str();
}

} // namespace

TEST(grating2D, illegalPeriodsAreReplacedAndLoggedOnce)
{
    struct Case
    {
        const char* name;
        double gpA, gpB;
        bool warns;
        std::string periodLine;
    };
    const std::string micrometres = " " + micro + "m\n";
    const Case cases[] = {
        {"zero periods", 0.0, 0.0, true,
         "Diffractive structure has a spatial period of: 1000" + micrometres},
        {"negative gp_A", -2e-5, 3e-5, true,
         "Diffractive structure has a tile size period of: 1000" + micro + "m x 30" + micro
             + "m\n"},
        {"NaN gp_A", notANumber, 1e-3, true,
         "Diffractive structure has a spatial period of: 1000" + micrometres},
        {"infinite gp_A", infinity, 1e-5, true,
         "Diffractive structure has a tile size period of: 1000" + micro + "m x 10" + micro
             + "m\n"},
        {"negative gp_B", 2e-5, -1.0, false,
         "Diffractive structure has a spatial period of: 20" + micrometres},
        {"NaN gp_B", 2e-5, notANumber, false,
         "Diffractive structure has a spatial period of: 20" + micrometres},
        {"infinite gp_B", 2e-5, infinity, false,
         "Diffractive structure has a spatial period of: 20" + micrometres},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList before = warnings();
        grating2D g(c.gpA, c.gpB);
        const QStringList after = warnings();
        ASSERT_EQ(after.size(), before.size() + (c.warns ? 1 : 0));
        if (c.warns) {
            EXPECT_EQ(after.last(), QLatin1String(periodWarning));
        }
        // The head shows the periods in use; a table of limit 0 has no rows.
        EXPECT_EQ(angleTable(g, 0.0), angleHead(c.periodLine));
    }
}

TEST(grating2D, illegalWavelengthIsReplacedAndLogged)
{
    for (double lambda : {0.0, -1e-6, notANumber, infinity}) {
        SCOPED_TRACE(lambda);
        grating2D g(period, period);
        g.setWavelength(1.064e-6);
        const QStringList before = warnings();
        g.setWavelength(lambda);
        const QStringList after = warnings();
        ASSERT_EQ(after.size(), before.size() + 1);
        EXPECT_EQ(after.last(), QLatin1String(wavelengthWarning));
        EXPECT_EQ(angleTable(g, 0.0), head20um);
        EXPECT_NEAR(g.getPhiX(1, 0), std::asin(wavelength / period) * degrees, 1e-12);
    }
    const QStringList before = warnings();
    grating2D g(period, period);
    g.setWavelength(1.064e-6);
    EXPECT_EQ(warnings(), before);
    EXPECT_EQ(
        angleTable(g, 0.0),
        angleHead("Diffractive structure has a spatial period of: 20 " + micro + "m\n", "1064"));
}

TEST(grating2D, orderAnglesFollowTheGratingEquation)
{
    const double s = wavelength / period;
    const double kz11 = std::sqrt(1.0 - 2.0 * s * s);
    const double t3 = 3.0 * s;
    struct Case
    {
        int nx, ny;
        double phiX, phiY, phiR;
    };
    const Case cases[] = {
        {0, 0, 0.0, 0.0, 0.0},
        {1, 0, std::asin(s) * degrees, 0.0, std::asin(s) * degrees},
        {-1, 0, -std::asin(s) * degrees, 0.0, std::asin(s) * degrees},
        {0, 3, 0.0, std::atan(t3 / std::sqrt(1.0 - t3 * t3)) * degrees,
         std::atan(t3 / std::sqrt(1.0 - t3 * t3)) * degrees},
        {1, 1, std::atan(s / kz11) * degrees, std::atan(s / kz11) * degrees,
         std::asin(std::sqrt(2.0) * s) * degrees},
        {2, -1, std::atan(2 * s / std::sqrt(1 - 5 * s * s)) * degrees,
         -std::atan(s / std::sqrt(1 - 5 * s * s)) * degrees,
         std::asin(std::sqrt(5.0) * s) * degrees},
    };
    grating2D g(period, period);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "order " << c.nx << ", " << c.ny);
        // Each getter alone, and all three after another order, give the same angles.
        EXPECT_NEAR(g.getPhiR(c.nx, c.ny), c.phiR, 1e-10);
        g.computeDirection(c.nx + 5, c.ny);
        EXPECT_NEAR(g.getPhiX(c.nx, c.ny), c.phiX, 1e-10);
        EXPECT_NEAR(g.getPhiY(c.nx, c.ny), c.phiY, 1e-10);
        EXPECT_NEAR(g.getPhiR(c.nx, c.ny), c.phiR, 1e-10);
    }
    EXPECT_NEAR(g.getPhiR(1, 0), 1.81314, 5e-6);

    // Beyond the wavelength the order does not propagate.
    const int evanescent = int(1.0 / s) + 1;
    EXPECT_TRUE(std::isnan(g.getPhiR(evanescent, 0)));
    EXPECT_TRUE(std::isnan(g.getPhiX(evanescent, 0)));

    // Unequal periods: gp_B governs the orders along y.
    grating2D tile(period, 2 * period);
    EXPECT_NEAR(tile.getPhiY(0, 1), std::asin(s / 2) * degrees, 1e-10);
    EXPECT_NEAR(tile.getPhiX(1, 0), std::asin(s) * degrees, 1e-10);
}

TEST(grating2D, newWavelengthRecomputesTheCachedOrder)
{
    grating2D g(period, period);
    const double before = g.getPhiR(1, 0);
    g.setWavelength(1.064e-6);
    EXPECT_NEAR(g.getPhiR(1, 0), std::asin(1.064e-6 / period) * degrees, 1e-10);
    EXPECT_GT(g.getPhiR(1, 0), before);
    EXPECT_NEAR(g.getPhiX(1, 0), std::asin(1.064e-6 / period) * degrees, 1e-10);
}

TEST(grating2D, angleTableListsTheOrdersBelowTheLimit)
{
    const double s = wavelength / period;
    for (double maxAngle : {0.0, 1.0, 5.0, 7.5, 20.0}) {
        SCOPED_TRACE(maxAngle);
        grating2D g(period, period);
        const std::vector<std::string> rows = rowsAfterHead(angleTable(g, maxAngle), head20um);

        // Independent list: orders whose polar angle asin(s |n|) lies below the limit, x outer.
        std::vector<std::string> expected;
        const int reach = int(1.0 / s) + 1;
        for (int nx = -reach; nx <= reach; ++nx)
            for (int ny = -reach; ny <= reach; ++ny) {
                const double sine = s * std::hypot(nx, ny);
                if (sine < 1.0 && std::asin(sine) * degrees < maxAngle)
                    expected.push_back(std::to_string(nx) + "\t" + std::to_string(ny));
            }
        ASSERT_EQ(rows.size(), expected.size());
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::size_t secondTab = rows[r].find('\t', rows[r].find('\t') + 1);
            EXPECT_EQ(rows[r].substr(0, secondTab), expected[r]);
        }
    }
}

#if PHASEDECK_LAB
TEST(grating2D, labAngleTableTakesRadiansAndTruncatesTheRange)
{
    grating2D g(period, period);
    const std::vector<std::string> rows = rowsAfterHead(g.getAngleTable(std::asin(0.05)), head20um);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows.front().substr(0, 5), "-1\t-1");
    EXPECT_EQ(rows[4].substr(0, 3), "0\t0");
    EXPECT_EQ(rows.back(), row(1, 1, g.getPhiX(1, 1), g.getPhiY(1, 1), g.getPhiR(1, 1)));
    EXPECT_NEAR(g.getPhiR(1, 1), 2.565, 1e-3);
}
#endif

TEST(grating2D, tablesAppendToOneTextPerKind)
{
    grating2D g(period, period);
    const std::string first = angleTable(g, 3.0);
    ASSERT_GT(first.size(), head20um.size());
    const std::string second = angleTable(g, 3.0);
    EXPECT_EQ(second, first + first);

    RealField field = realField(8, 8);
    field->setValue(1, 0, 1.0f);
#if PHASEDECK_LAB
    const std::string third = g.getSignalAngleTable(field);
#else
    const std::string third = g.getSignalAngleTable(field, 3.0);
    // The frequency table keeps its own text.
    const std::string frequencies = g.getSignalFrequencyTable(field);
    EXPECT_EQ(g.getSignalFrequencyTable(field), frequencies + frequencies);
    EXPECT_EQ(frequencies.find("Diffraction angles"), std::string::npos);
#endif
    EXPECT_EQ(third.substr(0, second.size()), second);
    EXPECT_EQ(third.substr(second.size()),
              head20um + row(1, 0, g.getPhiX(1, 0), 0.0, g.getPhiR(1, 0)) + "\n");
}

TEST(grating2D, signalTablesReadTheFieldInTransformOrder)
{
    // Orders (1, 0), (-1, 0), (0, 2) and (0, -2) carry signal; NaN, 0 and negative values do not.
    RealField field = realField(128, 128);
    field->setValue(1, 0, 0.5f);
    field->setValue(127, 0, 0.25f);
    field->setValue(0, 2, 2.0f);
    field->setValue(0, 126, 1.0f);
    field->setValue(2, 2, static_cast<float>(notANumber));
    field->setValue(3, 0, -1.0f);
    grating2D g(period, period);
    auto angles = [&g](int nx, int ny) {
        return row(nx, ny, g.getPhiX(nx, ny), g.getPhiY(nx, ny), g.getPhiR(nx, ny));
    };
#if PHASEDECK_LAB
    // Every element in storage order (i outer, j inner), no angle limit.
    const std::vector<std::string> expected
        = {angles(0, 2), angles(0, -2), angles(1, 0), angles(-1, 0)};
    EXPECT_EQ(rowsAfterHead(g.getSignalAngleTable(field), head20um), expected);
#else
    // Orders walked from -N to N, x outer; only those below the limit.
    const std::vector<std::string> expected
        = {angles(-1, 0), angles(0, -2), angles(0, 2), angles(1, 0)};
    EXPECT_EQ(rowsAfterHead(g.getSignalAngleTable(field, 10.0), head20um), expected);
    grating2D limited(period, period);
    const std::vector<std::string> belowTwo = {angles(-1, 0), angles(1, 0)};
    EXPECT_EQ(rowsAfterHead(limited.getSignalAngleTable(field, 2.0), head20um), belowTwo);

    grating2D f(period, period);
    const std::vector<std::string> frequencyRows
        = {"-1\t0\t-50000\t0\t0.25", "0\t-2\t0\t-100000\t1", "0\t2\t0\t100000\t2",
           "1\t0\t50000\t0\t0.5"};
    EXPECT_EQ(rowsAfterHead(f.getSignalFrequencyTable(field),
                            "Diffractive structure has a spatial period of: 20 " + micro
                                + "m\nSpatial frequencies in the table : 632.8 nm\n\n"
                                  "nx\tny\tf_x\tf_y\trel_p\n"),
              frequencyRows);
#endif
}

#if PHASEDECK_LAB
TEST(grating2D, labSignalTableListsNonPropagatingOrdersToo)
{
    RealField field = realField(128, 1);
    field->setValue(40, 0, 1.0f);
    field->setValue(64, 0, 1.0f); // i = sizeI / 2 is the positive order
    grating2D g(period, period);
    const std::vector<std::string> rows = rowsAfterHead(g.getSignalAngleTable(field), head20um);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(0, 5), "40\t0\t");
    EXPECT_EQ(rows[1].substr(0, 5), "64\t0\t");
    EXPECT_TRUE(std::isnan(g.getPhiR(40, 0)));
}
#endif

TEST(grating2D, tablesOfFieldsWithoutElementsHaveOnlyTheHead)
{
    const RealField fields[] = {RealField(), realField(0, 4), realField(4, 0), realField(0, 0)};
    for (const RealField& field : fields) {
        SCOPED_TRACE(field ? field->getSizeI() * 10 + field->getSizeJ() : -1);
        grating2D g(period, period);
#if PHASEDECK_LAB
        EXPECT_EQ(g.getSignalAngleTable(field), head20um);
#else
        EXPECT_EQ(g.getSignalAngleTable(field, 90.0), head20um);
        EXPECT_EQ(g.getSignalFrequencyTable(field),
                  "Diffractive structure has a spatial period of: 20 " + micro
                      + "m\nSpatial frequencies in the table : 632.8 nm\n\n"
                        "nx\tny\tf_x\tf_y\trel_p\n");
#endif
    }
    // A NaN limit walks no order into the table.
    grating2D g(period, period);
    EXPECT_EQ(angleTable(g, notANumber), head20um);
}

TEST(grating2D, freePointFunctions)
{
    // Normal incidence ((n - 1) / (n + 1))^2; grazing incidence reflects everything; at
    // Brewster's angle only the s part remains.
    EXPECT_NEAR(fresnelReflectance(1.0, 1.5), 0.04, 1e-15);
    EXPECT_NEAR(fresnelReflectance(0.0, 1.5), 1.0, 1e-15);
    const double brewster = std::atan(1.5);
    const double cosT = std::cos(pi / 2 - brewster);
    const double rs = (std::cos(brewster) - 1.5 * cosT) / (std::cos(brewster) + 1.5 * cosT);
    EXPECT_NEAR(fresnelReflectance(std::cos(brewster), 1.5), 0.5 * rs * rs, 1e-15);

    const point2D d = dehomogenize(3.0, -6.0, 1.5);
    EXPECT_DOUBLE_EQ(d.x, 2.0);
    EXPECT_DOUBLE_EQ(d.y, -4.0);
    const point2D r = rotatePoint(1.0, 2.0, pi / 2);
    EXPECT_NEAR(r.x, 2.0, 1e-15);
    EXPECT_NEAR(r.y, -1.0, 1e-15);

    struct Case
    {
        double px, py;
        int m, n;
        double x, y;
    };
    const Case cases[] = {
        {1e-5, 2e-5, 3, -2, 1.0 + 300.0, 2.0 - 100.0},
        {0.0, 2e-5, 3, 1, 1.0, 2.0 + 50.0},
        {1e-5, 2e-5, 0, 0, 1.0, 2.0},
    };
    for (const Case& c : cases) {
        const point2D p = orderPosition(1.0, 2.0, c.px, c.py, c.m, c.n, 1e-3);
        EXPECT_NEAR(p.x, c.x, 1e-12);
        EXPECT_NEAR(p.y, c.y, 1e-12);
    }
}
