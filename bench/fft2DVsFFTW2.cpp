// Our 2-D FFT against FFTW 2 in single precision (in place, measured plans), one thread each.
#include "bench/fft2DBench.h"

#include <sfftw.h>

namespace {

void benchFFTW2(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<float> original = fft2DBenchData(n);
    std::vector<fftw_complex> data(size_t(n) * size_t(n));
    const int flags = FFTW_MEASURE | FFTW_IN_PLACE;
    fftwnd_plan forward = fftw2d_create_plan(n, n, FFTW_FORWARD, flags);
    fftwnd_plan backward = fftw2d_create_plan(n, n, FFTW_BACKWARD, flags);
    auto* floats = reinterpret_cast<float*>(data.data());
    timeTransformPairs(state, floats, original, [&] {
        fftwnd_one(forward, data.data(), nullptr);
        fftwnd_one(backward, data.data(), nullptr);
    });
    fftwnd_destroy_plan(forward);
    fftwnd_destroy_plan(backward);
}

} // namespace

int main(int argc, char** argv)
{
    return runFFT2DComparison(argc, argv, "fftw2", benchFFTW2);
}
