#include "analysis/UsableCpus.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <sched.h>

namespace {

std::optional<long long> ReadNumber(std::string_view text)
{
    long long value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file{path};
    std::ostringstream text;
    text << file.rdbuf();
    return file ? text.str() : std::string{};
}

unsigned AffinityCpus()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0) {
            return static_cast<unsigned>(count);
        }
    }
    return std::max(1U, std::thread::hardware_concurrency());
}

// The least quota of the process's control group and the groups above it: a limit set on a
// parent group holds for its children as well.
std::optional<unsigned> QuotaCpus()
{
    std::optional<unsigned> least;
    const auto take = [&](std::optional<unsigned> cpus) {
        if (cpus && (!least || *least > *cpus)) {
            least = cpus;
        }
    };
    std::istringstream groups{ReadFile("/proc/self/cgroup")};
    for (std::string line; std::getline(groups, line);) {
        // "0::/path" for the unified hierarchy, "4:cpu,cpuacct:/path" for the older one.
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        std::string path = line.substr(second + 1);
        const bool unified = controllers.empty();
        const bool cpu = (',' + controllers + ',').find(",cpu,") != std::string::npos;
        if (!unified && !cpu) {
            continue;
        }
        for (;;) {
            if (unified) {
                take(CpusOfQuota(ReadFile("/sys/fs/cgroup" + path + "/cpu.max")));
            } else {
                for (const char* mount : {"/sys/fs/cgroup/cpu", "/sys/fs/cgroup/cpu,cpuacct"}) {
                    const std::string base = mount + path;
                    const std::string quota = ReadFile(base + "/cpu.cfs_quota_us");
                    const std::string period = ReadFile(base + "/cpu.cfs_period_us");
                    if (!quota.empty() && !period.empty() && quota.rfind("-1", 0) != 0) {
                        take(CpusOfQuota(quota.substr(0, quota.find('\n')) + ' ' + period));
                    }
                }
            }
            const std::size_t slash = path.find_last_of('/');
            if (path.empty() || path == "/" || slash == std::string::npos) {
                break;
            }
            path = slash == 0 ? std::string{"/"} : path.substr(0, slash);
        }
    }
    return least;
}

} // namespace

std::optional<unsigned> CpusOfQuota(std::string_view cpuMax)
{
    const std::size_t space = cpuMax.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view periodText = cpuMax.substr(space + 1);
    while (!periodText.empty() && (periodText.back() == '\n' || periodText.back() == ' ')) {
        periodText.remove_suffix(1);
    }
    const std::optional<long long> quota = ReadNumber(cpuMax.substr(0, space));
    const std::optional<long long> period = ReadNumber(periodText);
    if (!quota || !period || *quota <= 0 || *period <= 0) {
        return std::nullopt;
    }
    return static_cast<unsigned>(std::max(1LL, (*quota + *period - 1) / *period));
}

unsigned UsableCpus()
{
    const unsigned affinity = AffinityCpus();
    const std::optional<unsigned> quota = QuotaCpus();
    return std::max(1U, quota ? std::min(affinity, *quota) : affinity);
}
