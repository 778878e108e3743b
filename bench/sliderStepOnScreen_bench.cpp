// A slider step of a real full-screen pattern window under X (run it with DISPLAY set, e.g. on
// Xvfb with a window manager): the per-pixel composition with lens and prism phases, the paint
// into the window's backing store and its transfer to the X server, timed until a round trip
// shows that the server holds the new frame. At the end the window's pixels are read back from
// the server and compared with the composed bitmap.
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "bench/benchSupport.h"
#include "bench/compositionCell.h"
#include "views/qFullScreenFieldWidget.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

xcb_connection_t* xConnection()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Returns once the server has handled every request sent before: requests are handled in order,
// and the reply to this one comes after them.
void roundTrip(xcb_connection_t* c)
{
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

template<typename T>
T* child(QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// The pixels of the window's top left width x height corner as the server holds them, against
// the displayed bitmap through its palette (a window smaller than the full-screen size shows
// the bitmap's middle); the number of pixels that differ, -1 when they cannot be read.
long differingPixels(xcb_connection_t* c, const qFullScreenFieldWidget& window, int width,
                     int height)
{
    const QImage& shown = window.displayedBitmap();
    const int offsetX = (shown.width() - window.width()) / 2;
    const int offsetY = (shown.height() - window.height()) / 2;
    const xcb_get_image_cookie_t cookie
        = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, xcb_window_t(window.winId()), 0, 0,
                        uint16_t(width), uint16_t(height), ~0u);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, nullptr);
    if (!reply)
        return -1;
    long differing = -1;
    if (reply->depth == 24 && xcb_get_image_data_length(reply) == 4 * width * height) {
        differing = 0;
        const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uchar index = shown.constScanLine(y + offsetY)[x + offsetX];
                const QRgb expected = shown.color(index) & 0xFFFFFF;
                if ((pixels[y * width + x] & 0xFFFFFF) != expected)
                    ++differing;
            }
    }
    std::free(reply);
    return differing;
}

void sliderStepOnScreen(benchmark::State& state, vectorPath path)
{
    const scopedVectorPath scope(path);
    xcb_connection_t* c = xConnection();
    if (!c) {
        state.SkipWithError("needs the xcb platform (DISPLAY, QT_QPA_PLATFORM=xcb)");
        return;
    }
    qFullScreenFieldWidget window(nullptr, "new window", Qt::Window,
                                  QStringLiteral("Slider step on screen"),
                                  compositionCell(100, 100));
    window.showOnFullScreen();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    // Prism phases fixed, then the lens slider moves one step at a time.
    child<QToolButton>(window, "prismButton")->click();
    child<QSlider>(window, "prismXSlider")->setValue(3);
    child<QSlider>(window, "prismYSlider")->setValue(-2);
    child<QToolButton>(window, "lensButton")->click();
    QSlider* lens = child<QSlider>(window, "lensSlider");
    QTest::qWait(200);
    roundTrip(c);
    int value = -7;
    for (auto _ : state) {
        lens->setValue(value);
        value = value == -7 ? -8 : -7;
        window.repaint();
        roundTrip(c);
    }
    // The area left of the tool band.
    const long differing = differingPixels(c, window, window.width() * 3 / 4, window.height());
    state.counters["differingPixels"] = double(differing);
    if (differing != 0)
        state.SkipWithError("the server does not hold the composed frame");
    state.counters["width"] = window.width();
    state.counters["height"] = window.height();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    std::vector<QRect> screens;
    int primary = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == QGuiApplication::primaryScreen())
            primary = int(screens.size());
        screens.push_back(screen->geometry());
    }
    theSettings.detectScreens(screens, primary);
    theSettings.slmOnExtendedDesktop = false;
    for (vectorPath path : benchVectorPaths())
        benchmark::RegisterBenchmark(
            (std::string("sliderStepOnScreen/") + vectorPathName(path)).c_str(), sliderStepOnScreen,
            path)
            ->Apply(inMillisecondsWithMinimum);
    return runRegisteredBenchmarks(argc, argv);
}
