#include "framework/CurveSamplers.h"

#include "analysis/Antiderivative.h"
#include "analysis/Locus.h"
#include "framework/KeptPoles.h"
#include "framework/SettingsStore.h"

#include <QThreadPool>

#include <deque>
#include <mutex>
#include <string>

namespace {

// Everything an Ortskurve depends on. The y range is not among it: the points are found on the x
// range alone.
struct SLocusKey
{
    std::string term;
    std::int32_t family{0};
    double from{}, to{}, step{};
    double xFrom{}, xTo{}, xStep{};
    int precision{0};
    bool inflections{false};

    bool SameFamily(const SLocusKey& other) const
    {
        return term == other.term && family == other.family && from == other.from && to == other.to &&
               step == other.step && precision == other.precision && inflections == other.inflections;
    }
    bool operator==(const SLocusKey&) const = default;
};

struct SLocusEntry
{
    SLocusKey key;
    // Empty while a worker computes it.
    std::shared_ptr<const LocusBranches> branches;
};

// Enough for every Ortskurve of a few open graphs; the oldest go first.
constexpr std::size_t kKeptLoci = 16;

std::mutex g_mutex;
// Told when a worker has kept an Ortskurve (the window repaints).
std::function<void()> g_whenComputed;
std::deque<SLocusEntry> g_kept;

const std::shared_ptr<const LocusBranches>& NoBranches()
{
    static const std::shared_ptr<const LocusBranches> none = std::make_shared<const LocusBranches>();
    return none;
}

SLocusKey KeyOf(const CGraphFunction& f, bool inflections, const CScaling& scaling)
{
    SLocusKey key;
    key.term = f.GetTerm();
    key.family = f.GetUseFamilyConstant();
    f.GetRange(key.from, key.to, key.step);
    scaling.GetXRange(key.xFrom, key.xTo, key.xStep);
    key.precision = std::min(
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3),
        kLocusMaxPrecision);
    key.inflections = inflections;
    return key;
}

std::shared_ptr<const LocusBranches> Compute(const CGraphFunction& f, const CScaling& scaling,
                                             const SLocusKey& key)
{
    const SLocus locus =
        ComputeLocus(key.inflections ? ELocusOf::Inflections : ELocusOf::Extrema, f, scaling, key.precision);
    auto branches = std::make_shared<LocusBranches>();
    for (const std::vector<SLocusVertex>& line : LocusPolylines(locus)) {
        std::vector<SWorldPoint>& branch = branches->emplace_back();
        branch.reserve(line.size());
        for (const SLocusVertex& v : line) {
            branch.push_back(SWorldPoint{v.x, v.y});
        }
    }
    return branches;
}

// Under the lock: the entry of the key, or nullptr.
SLocusEntry* Find(const SLocusKey& key)
{
    for (SLocusEntry& entry : g_kept) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

void Keep(const SLocusKey& key, std::shared_ptr<const LocusBranches> branches)
{
    if (SLocusEntry* entry = Find(key)) {
        entry->branches = std::move(branches);
        return;
    }
    g_kept.push_back(SLocusEntry{key, std::move(branches)});
    while (g_kept.size() > kKeptLoci) {
        g_kept.pop_front();
    }
}

std::shared_ptr<const LocusBranches> LocusNow(const CGraphFunction& f, bool inflections,
                                              const CScaling& scaling)
{
    const SLocusKey key = KeyOf(f, inflections, scaling);
    {
        std::lock_guard lock{g_mutex};
        if (const SLocusEntry* entry = Find(key); entry && entry->branches) {
            return entry->branches;
        }
    }
    std::shared_ptr<const LocusBranches> branches = Compute(f, scaling, key);
    std::lock_guard lock{g_mutex};
    Keep(key, branches);
    return branches;
}

std::shared_ptr<const LocusBranches> LocusLater(const CGraphFunction& f, bool inflections,
                                                const CScaling& scaling)
{
    const SLocusKey key = KeyOf(f, inflections, scaling);
    std::lock_guard lock{g_mutex};
    if (const SLocusEntry* entry = Find(key)) {
        if (entry->branches) {
            return entry->branches;
        }
    } else {
        g_kept.push_back(SLocusEntry{key, nullptr});
        while (g_kept.size() > kKeptLoci) {
            g_kept.pop_front();
        }
        QThreadPool::globalInstance()->start([f, scaling, key] {
            std::shared_ptr<const LocusBranches> branches = Compute(f, scaling, key);
            std::function<void()> computed;
            {
                std::lock_guard workerLock{g_mutex};
                Keep(key, std::move(branches));
                computed = g_whenComputed;
            }
            if (computed) {
                computed();
            }
        });
    }
    // Meanwhile the newest Ortskurve of the same family, computed for another x range: a pan or zoom
    // shows it until its own is ready.
    for (auto it = g_kept.rbegin(); it != g_kept.rend(); ++it) {
        if (it->branches && it->key.SameFamily(key)) {
            return it->branches;
        }
    }
    return NoBranches();
}

// Every repaint with automatic scaling asks for the poles of each function, family member and
// derived curve; the window, printing and the exports ask the same ones again and again.
std::vector<double> KeptDomainPoles(const CCompiledTerm& f, double k, double a, double b)
{
    static CKeptPoles kept;
    return kept.Poles(f, k, a, b);
}

} // namespace

SCurveSamplers CurveSamplers()
{
    return SCurveSamplers{SampleAntiderivative, LocusNow, KeptDomainPoles};
}

SCurveSamplers WindowCurveSamplers()
{
    return SCurveSamplers{SampleAntiderivative, LocusLater, KeptDomainPoles};
}

void WhenLocusComputed(std::function<void()> handler)
{
    std::lock_guard lock{g_mutex};
    g_whenComputed = std::move(handler);
}
