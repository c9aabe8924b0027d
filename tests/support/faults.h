#pragma once
// What an action is refused with: the message of the error it throws, checked to be of the kind
// expected, or "no error" when it goes through.

#include "platform/error.h"

#include <gtest/gtest.h>
#include <string>

namespace kestrun::testing {

template <class Action> std::string fault_of(error_kind kind, Action&& action)
{
    try {
        action();
    } catch (const error& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        return e.what();
    }
    return "no error";
}

} // namespace kestrun::testing
