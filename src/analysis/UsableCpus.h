#pragma once

#include <optional>
#include <string_view>

// The CPUs this process may really use: those of its affinity mask, fewer where a control group
// gives it a smaller share of CPU time. At least 1.
unsigned UsableCpus();

// The whole CPUs a control group quota is worth, rounded up: "150000 100000" (cgroup v2's
// cpu.max, quota and period in microseconds) is 2. Nothing for "max" or anything unreadable.
std::optional<unsigned> CpusOfQuota(std::string_view cpuMax);
