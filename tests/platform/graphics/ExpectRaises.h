#pragma once
// Checks that decoding bad data raises the right error with a telling message.
#include <gtest/gtest.h>

#include <string>

namespace lumvex::test {

template <typename Error, typename Action>
void ExpectRaises(Action&& action, const std::string& words) {
    try {
        action();
        ADD_FAILURE() << "no error where one should say: " << words;
    } catch (const Error& e) {
        EXPECT_NE(e.Message().find(words), std::string::npos) << e.Message();
    }
}

}  // namespace lumvex::test
