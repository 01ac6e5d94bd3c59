// A test that starts, and leaves the prefix, with the user's registry state
// as on a fresh account: no settings key, no Run entry, no client.
#pragma once
#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

namespace e2e {

class CFreshUserTest : public ::testing::Test {
protected:
    void SetUp() override { ResetUserState(); }
    void TearDown() override { ResetUserState(); }
};

}  // namespace e2e
