// The session the driver runs in, checked before any test: a broken harness
// must not be mistaken for a broken program.
#pragma once

#include <gtest/gtest.h>

namespace e2e {

// A fatal failure here keeps every test from running.
class SessionCheck : public testing::Environment {
public:
    void SetUp() override;
    // After every test: where the shell keeps its taskbar hidden, no
    // Peekbar of the run has shown it.
    void TearDown() override;
};

}  // namespace e2e
