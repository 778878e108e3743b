// The main window's menu tree, caption and process-wide values.
#include "app/QDOEMainWindow.h"
#include "base/phasedeckGlobals.h"
#include "support/menuTree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace {

std::uint64_t bitsOf(double d)
{
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

TEST(MainWindow, MenuTree)
{
    QDOEMainWindow w(nullptr, "new window", Qt::Window, 0, nullptr);
    QStringList tree;
    appendMenuTree("", w.menuBar()->actions(), tree);

    const QString e = "&Elementary Optical Functions/";
    const QString ap = e + "Aperture functions/";
    const QString bs = e + "Binary Beam-Splitter Gratings/";
    const QString ex = bs + "Exemplary Binary Beam-Splitter Designs/";
    QStringList expected = {
        "&File/",
        "&File/Open &Image file [Ctrl+I]",
        "&File/---",
        "&File/E&xit [Ctrl+Q]",
        e,
        e + "Show Blank Screen",
        e + "Show Horizontally Divided Screen",
        e + "---",
        e + "Show Random Bitmap",
        e + "Show Random Binary Bitmap",
        e + "---",
        ap,
        ap + "Show Rectangular Aperture",
        ap + "Show Circular Aperture",
        ap + "---",
        ap + "Show Single Slit",
        ap + "Show Double Slit",
        e + "---",
        e + "Fresnel Zone Lenses/",
        e + "Fresnel Zone Lenses/Show Binary Fresnel Zone Lens",
        e + "Fresnel Zone Lenses/Show Fresnel Zone Lens",
        e + "Fresnel Zone Lenses/Show Cylindrical Fresnel Zone Lens",
        e + "---",
        e + "Show Binary Axicon",
        e + "Show Axicon",
        e + "---",
        e + "Show Vortex Phase",
        e + "Show Concentric Ring Segments",
        e + "---",
        bs,
        bs + "Show Binary Linear Grating",
        bs + "---",
        ex,
        ex + "Show Binary 1-to-5 Linear Beamsplitter Grating",
        ex + "Show Binary 1-to-(2x2) Separable Array Beamsplitter Grating",
        ex + "Show Binary 1-to-(5x5) Separable Array Beamsplitter Grating",
        ex + "Show Binary 1-to-(5x5) Non-separable Array Beamsplitter Grating",
        e + "---",
        e + "Show Sinusoidal Grating",
        e + "Show Blazed Grating",
        "&Windows/",
        "&Help/",
        "&Help/&About [Ctrl+A]",
    };
#if !PHASEDECK_LAB
    EXPECT_EQ(tree, expected);
#endif
    // Every entry without a submenu is connected to a slot.
    for (QAction* a : w.findChildren<QAction*>()) {
        if (a->isSeparator() || a->menu() || a->text().isEmpty())
            continue;
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    }
}

TEST(MainWindow, CaptionAndPixelPitch)
{
    QDOEMainWindow w(nullptr, "new window", Qt::Window, 0, nullptr);
#if PHASEDECK_LAB
    EXPECT_EQ(w.windowTitle(), "Quorvel Phasedeck 2.1.1");
#else
    EXPECT_EQ(w.windowTitle(), "QUORVEL Phasedeck (KTR-1080P) 2.2");
#endif
    EXPECT_EQ(w.objectName(), "new window");
    EXPECT_TRUE(w.testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(w.acceptDrops());
    EXPECT_EQ(bitsOf(opticalParameters.defaultPixelSizeX), 0x3EE0C6F7A0B5ED8EULL);
    EXPECT_EQ(bitsOf(opticalParameters.defaultPixelSizeY), 0x3EE0C6F7A0B5ED8EULL);
    EXPECT_EQ(opticalParameters.defaultPixelSizeX, 8.000000000000001e-06);
}

TEST(ProcessWideValues, InitialValues)
{
    EXPECT_EQ(editionSuffix, "");
    EXPECT_EQ(deviceModel, "KTR-1080P");
    EXPECT_EQ(productVersion, "2.2");
#if !PHASEDECK_LAB
    EXPECT_EQ(productTitle, "QUORVEL Phasedeck");
    EXPECT_EQ(fullApplicationName, "QUORVEL Phasedeck (KTR-1080P) 2.2");
#endif
    EXPECT_EQ(opticalParameters.defaultWavelength, 632.8e-9);
    EXPECT_EQ(opticalParameters.defaultFocalLength, 0.1);
    EXPECT_EQ(opticalParameters.spareParameter, 0.05);
}

} // namespace
