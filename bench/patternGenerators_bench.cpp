// Time of each pattern generator at the SLM size of 1920 x 1080 (cells at their own size).
#include "patterns/patternGenerators.h"

#include "base/phasedeckRandom.h"
#include "bench/benchSupport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

template<typename Make>
void run(benchmark::State& state, Make make)
{
    for (auto _ : state) {
        QImage image = make();
        benchmark::DoNotOptimize(image.constBits());
    }
}

#define PATTERN_BENCH(name, expression)                                                            \
    void name(benchmark::State& state)                                                             \
    {                                                                                              \
        run(state, [] { return expression; });                                                     \
    }                                                                                              \
    BENCHMARK(name)->Apply(inMillisecondsWithMinimum)

PATTERN_BENCH(BlankScreen, blankScreen(W, H));
PATTERN_BENCH(HorizontallyDividedScreen, horizontallyDividedScreen(W, H));
PATTERN_BENCH(RectangularAperture, rectangularAperture(W, H, 30, 20));
PATTERN_BENCH(CircularAperture, circularAperture(W, H, 200));
PATTERN_BENCH(SingleSlit, singleSlit(W, H, 20));
PATTERN_BENCH(DoubleSlit, doubleSlit(W, H, 10, 300));
PATTERN_BENCH(RandomBitmap, randomBitmap(W, H, phasedeckRand));
PATTERN_BENCH(RandomBinaryBitmap, randomBinaryBitmap(W, H, phasedeckRand));
PATTERN_BENCH(BinaryFresnelZoneLens, binaryFresnelZoneLens(W, H, 100));
PATTERN_BENCH(FresnelZoneLens, fresnelZoneLens(W, H, 140, false));
PATTERN_BENCH(CylindricalFresnelZoneLens, cylindricalFresnelZoneLens(W, H, 280, 30));
PATTERN_BENCH(BinaryAxicon, binaryAxicon(W, H, 40));
PATTERN_BENCH(Axicon, axicon(W, H, 30, false));
PATTERN_BENCH(VortexPhase, vortexPhase(W, H, 0, 0));
PATTERN_BENCH(ConcentricRingSegments, concentricRingSegments(W, H, 40, 2));
PATTERN_BENCH(BinaryLinearGratingCell, binaryLinearGratingCell(true, 2, 2, true, 3, 3));
PATTERN_BENCH(BinaryLinear45degGratingCell, binaryLinear45degGratingCell(W, H, 500, 45));
PATTERN_BENCH(TransitionPointGratingCell,
              transitionPointGratingCell({1, 2, 9, 10, 11, 18}, {1, 2}));
PATTERN_BENCH(LinearDammannGratingCell, linearDammannGratingCell());
PATTERN_BENCH(Separable2x2GratingCell, separable2x2GratingCell());
PATTERN_BENCH(Separable5x5GratingCell, separable5x5GratingCell());
PATTERN_BENCH(NonSeparable5x5GratingCell, nonSeparable5x5GratingCell());
PATTERN_BENCH(SinusoidalGratingCell, sinusoidalGrating(W, H, 100, 0));
PATTERN_BENCH(SinusoidalGratingFull, sinusoidalGrating(W, H, 100, 30));
PATTERN_BENCH(BlazedGratingCell, blazedGrating(W, H, 100, 0));
PATTERN_BENCH(BlazedGratingFull, blazedGrating(W, H, 100, 30));

} // namespace

int main(int argc, char** argv)
{
    return runRegisteredBenchmarks(argc, argv);
}
