#pragma once

#include <string>

namespace bench {

// What the figures were measured on, for the report: the processor's model name and the memory.
std::string cpuModel();
std::string memorySize();

} // namespace bench
