// Tests that run once per vector path (portable, AVX2 + FMA) and a scope that sets the path.
#pragma once

#include "base/vectorPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// "portable" or "avx2Fma", for traces and parameter names.
std::string vectorPathName(vectorPath path);

// Sets the vector path for its lifetime and restores the previous one; active() is false when
// the processor lacks the path (the previous one stays).
class scopedVectorPath
{
public:
    explicit scopedVectorPath(vectorPath path);
    ~scopedVectorPath();
    scopedVectorPath(const scopedVectorPath&) = delete;
    scopedVectorPath& operator=(const scopedVectorPath&) = delete;

    bool active() const { return isActive; }

private:
    vectorPath previous;
    bool isActive;
};

// Fixture base of a test that runs on the path given as its parameter; the AVX2 + FMA run is
// skipped on a processor without it. Instantiate with
// INSTANTIATE_TEST_SUITE_P(paths, Suite, testing::ValuesIn(bothVectorPaths()),
//                          vectorPathParameterName).
class vectorPathTest : public testing::TestWithParam<vectorPath>
{
protected:
    void SetUp() override;
    void TearDown() override;

private:
    vectorPath previous = vectorPath::portable;
};

std::vector<vectorPath> bothVectorPaths();
std::string vectorPathParameterName(const testing::TestParamInfo<vectorPath>& info);
