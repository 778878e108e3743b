// Tests that run once per vector path (portable, AVX2 + FMA).
#pragma once

#include "base/vectorPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
