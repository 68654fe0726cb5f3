// A fresh simulated machine (Windows 98 unless a test says otherwise), current for the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/Machine.h"

class SimTest : public ::testing::Test {
protected:
    sim::Machine machine;
    sim::MachineScope scope{machine};

    static std::string Text(const CString& text) {
        return std::string(text.GetString(), text.GetLength());
    }
};
