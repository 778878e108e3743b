// The pattern generators' remembered parameter values.
#include "app/generatorParameters.h"

GeneratorParameters rememberedGeneratorParameters;
