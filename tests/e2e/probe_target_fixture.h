// The probe's own target dialog, started for each test, with the probe
// placed on its user-interface thread; the dialog is closed at the end.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/Probe.h"
#include "tests/e2e/ProbeTargetProcess.h"
#include "tests/standins/probe/ProbeTargetIds.h"

class CProbeTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(target.Dialog(), nullptr) << "probe_target.exe did not show its dialog";
        probe = std::make_unique<CProbe>(target.ThreadId());
        ASSERT_TRUE(probe->Attached()) << probe->LastError();
    }
    void TearDown() override
    {
        probe.reset();
        if (target.Dialog()) {
            EXPECT_EQ(target.Close(), 0u);
        }
    }

    CProbeTargetProcess target;
    std::unique_ptr<CProbe> probe;
};
