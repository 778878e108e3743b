// Our 2-D FFT against FFTW 3 in single precision (in place, measured plans), one thread each.
#include "bench/fft2DBench.h"

#include <fftw3.h>

namespace {

void benchFFTW3(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<float> original = fft2DBenchData(n);
    auto* data = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n * n));
    fftwf_plan forward = fftwf_plan_dft_2d(n, n, data, data, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan backward = fftwf_plan_dft_2d(n, n, data, data, FFTW_BACKWARD, FFTW_MEASURE);
    timeTransformPairs(state, reinterpret_cast<float*>(data), original, [&] {
        fftwf_execute(forward);
        fftwf_execute(backward);
    });
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
    fftwf_free(data);
}

} // namespace

int main(int argc, char** argv)
{
    return runFFT2DComparison(argc, argv, "fftw3", benchFFTW3);
}
