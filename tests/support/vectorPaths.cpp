// Vector-path parameters and scopes of the tests.
#include "support/vectorPaths.h"

void vectorPathTest::SetUp()
{
    previous = activeVectorPath();
    if (!setActiveVectorPath(GetParam()))
        GTEST_SKIP() << "the processor has no " << vectorPathName(GetParam());
}

void vectorPathTest::TearDown()
{
    setActiveVectorPath(previous);
}

std::vector<vectorPath> bothVectorPaths()
{
    return {vectorPath::portable, vectorPath::avx2Fma};
}

std::string vectorPathParameterName(const testing::TestParamInfo<vectorPath>& info)
{
    return vectorPathName(info.param);
}
