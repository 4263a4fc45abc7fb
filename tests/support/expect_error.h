// Checks that a call fails with an AppError of exactly the given text.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/app_error.h"

namespace montrelle::testing {

inline void ExpectAppError(const std::function<void()>& call, const std::string& text,
                           const std::string& context = "") {
  try {
    call();
    ADD_FAILURE() << "no error, expected " << text << " " << context;
  } catch (const AppError& e) {
    EXPECT_EQ(e.what(), text) << context;
  }
}

}  // namespace montrelle::testing
