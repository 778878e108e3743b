// The parameter values that the pattern generators remember for the whole run: built-in initial
// values, changed only by an accepted dialog of their own generator, never stored on disk.
#pragma once

struct GeneratorParameters
{
    struct Size
    {
        int width;
        int height;
    };
    struct Slits
    {
        int width;
        int distance; // centre to centre
    };
    struct Radius
    {
        int radius;
        bool invert;
    };
    struct WidthAndAngle
    {
        int width;
        int angle; // degrees
    };
    struct LineGrating
    {
        int grooveH, lineH; // horizontal grating
        int grooveV, lineV; // vertical grating
    };
    struct TransitionAxis
    {
        int count;
        bool evenOrderMissing; // shown and read back; takes no part in the pattern
        int widths[6];         // ridge 1, groove 1, ridge 2, groove 2, ridge 3, groove 3
    };
    struct RingSegments
    {
        int radius;
        int segments;
    };

    Size rectangularAperture{30, 20};
    int circularApertureRadius = 200;
    int singleSlitWidth = 20;
    Slits doubleSlit{10, 300};

    int binaryFresnelZoneLensRadius = 100;
    Radius fresnelZoneLens{140, false};
    WidthAndAngle cylindricalFresnelZoneLens{280, 0};
    int binaryAxiconRadius = 40;
    Radius axicon{30, false};

    WidthAndAngle vortexPhase{0, 0}; // radius of the central zone, angle of the phase jump
    RingSegments concentricRingSegments{40, 2};

    LineGrating binaryLinearGrating{2, 2, 3, 3};
    WidthAndAngle binaryLinear45degGrating{2, 45}; // stripe width, +45 or -45
    TransitionAxis transitionPointsX{6, false, {1, 1, 7, 1, 1, 7}};
    TransitionAxis transitionPointsY{2, false, {1, 1, 0, 0, 0, 0}};

    WidthAndAngle sinusoidalGrating{100, 0}; // period, angle
    WidthAndAngle blazedGrating{100, 0};
};

// The values of this run.
extern GeneratorParameters rememberedGeneratorParameters;
