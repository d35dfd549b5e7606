#pragma once
// The name of each case of a parameterised test: the case's own name field, so that a failure
// names the case as the table does.
#include <gtest/gtest.h>

#include <string>

struct CaseName {
    template <class Case> std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};
