#pragma once

#include <string>

namespace bench {

struct BenchDirectory;

// What the figures were measured on, for the report: the processor's model name and the memory.
std::string cpuModel();
std::string memorySize();

// Puts the machine, the build and the directory into the report's context, whose heading names them.
void describeRun(const BenchDirectory &directory);

} // namespace bench
