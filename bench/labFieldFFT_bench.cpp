// fft then ifft of an n x n complex field: the internal edition's (FFTW 2, measured plans) against
// the release edition's (the program's own FFT with tables built per call), one thread each.
#include "bench/fft2DBench.h"

#include "fields/complexDataField2D.h"

namespace {

void labFieldFFTW2(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<float> original = fft2DBenchData(n);
    complexDataField2D field(n, n, 0);
    // Measured again whenever the other size ran in between: the cache holds one size.
    field.prepareMeasuredPlans();
    timeTransformPairs(state, field.data(), original, [&] {
        field.fft();
        field.ifft();
    });
}

// What the release edition's complexDataField2D::fft and ifft run on the field's rows.
void releaseFieldOwnFFT(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<float> original = fft2DBenchData(n);
    float** rows = allocFloatArray2D(n, 2 * n);
    timeTransformPairs(state, rows[0], original, [&] {
        complexFFT2DOnce(n, 2 * n, +1, rows);
        complexFFT2DOnce(n, 2 * n, -1, rows);
    });
    freeFloatArray2D(rows);
}

} // namespace

int main(int argc, char** argv)
{
    for (int n : {512, 1024}) {
        benchmark::RegisterBenchmark("releaseFieldOwnFFT", releaseFieldOwnFFT)
            ->Arg(n)
            ->Apply(inMillisecondsWithMinimum);
        benchmark::RegisterBenchmark("labFieldFFTW2", labFieldFFTW2)
            ->Arg(n)
            ->Apply(inMillisecondsWithMinimum);
    }
    return runRegisteredBenchmarks(argc, argv);
}
