#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <string>

// The counts a reliability test reaches (kills survived, searches run), in its XML record and on
// the console, where scripts/test's log keeps them for the report.
inline void reportFigure(const std::string &name, long long value)
{
    ::testing::Test::RecordProperty(name, std::to_string(value));
    std::cout << "[ figure ] " << name << " = " << value << std::endl;
}
