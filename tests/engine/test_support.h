#pragma once

#include "engine/number/runtime_error.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace tobarin::testing {

// Runs f and gives the number of the run-time error it raised, or 0 for none.
template <typename F> int errorOf(F &&f)
{
    try {
        std::forward<F>(f)();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// Names the rows of a parameterised test after their `name` member.
struct ByName {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row> &row) const
    {
        return row.param.name;
    }
};

}  // namespace tobarin::testing
