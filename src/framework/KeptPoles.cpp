#include "framework/KeptPoles.h"

#include "analysis/FamilyDomain.h"
#include "engine/CompiledTerm.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

template <typename T>
void Append(std::string& bytes, T value)
{
    const auto raw = std::bit_cast<std::array<char, sizeof(T)>>(value);
    bytes.append(raw.data(), raw.size());
}

// The program of a term, byte for byte: it is all a pole finder is given, and the domain service
// reads nothing else of the term.
std::string ProgramBytes(const CCompiledTerm& f)
{
    std::string bytes;
    Append(bytes, f.HasSyntaxError());
    Append(bytes, f.RegisterCount());
    Append(bytes, f.ResultRegister());
    for (const CCompiledTerm::SInstruction& in : f.Code()) {
        Append(bytes, in.op);
        Append(bytes, in.function);
        Append(bytes, in.dst);
        Append(bytes, in.a);
        Append(bytes, in.b);
    }
    // The constants by their bits: -0 and 0 may part ways under a division.
    for (const double c : f.Constants()) {
        Append(bytes, c);
    }
    return bytes;
}

bool SameBits(double u, double v)
{
    return std::bit_cast<std::uint64_t>(u) == std::bit_cast<std::uint64_t>(v);
}

std::vector<double> PolesOf(const SDomain& domain)
{
    std::vector<double> poles;
    for (const SDomainBorder& border : domain.borders) {
        if (border.kind == EBorderKind::Pole) {
            poles.push_back(border.x);
        }
    }
    return poles;
}

} // namespace

struct CKeptPoles::SRange
{
    SRange(std::string programBytes, const CCompiledTerm& f, double from, double to)
        : program{std::move(programBytes)}, a{from}, b{to}, term{f}, domain{term, from, to}
    {
    }

    const std::string program;
    const double a;
    const double b;
    // The family's scan refers to its own copy of the term, which lives as long as the range.
    const CCompiledTerm term;
    std::mutex mutex;
    // Under the mutex, all three.
    CFamilyDomain domain;
    struct SKept
    {
        std::vector<double> poles;
        std::uint64_t lastUse{};
    };
    std::unordered_map<std::uint64_t, SKept> byK; // by the bits of k
    std::uint64_t uses{0};
};

CKeptPoles::CKeptPoles(std::size_t ranges, std::size_t valuesPerRange)
    : m_maxRanges{std::max<std::size_t>(ranges, 1)},
      m_maxValuesPerRange{std::max<std::size_t>(valuesPerRange, 1)}
{
}

CKeptPoles::~CKeptPoles() = default;

std::shared_ptr<CKeptPoles::SRange> CKeptPoles::RangeOf(const CCompiledTerm& f, double a, double b)
{
    std::string program = ProgramBytes(f);
    std::lock_guard lock{m_mutex};
    const auto it = std::find_if(m_ranges.begin(), m_ranges.end(), [&](const std::shared_ptr<SRange>& r) {
        return SameBits(r->a, a) && SameBits(r->b, b) && r->program == program;
    });
    std::shared_ptr<SRange> range;
    if (it != m_ranges.end()) {
        range = *it;
        m_ranges.erase(it);
    } else {
        range = std::make_shared<SRange>(std::move(program), f, a, b);
    }
    m_ranges.push_back(range);
    while (m_ranges.size() > m_maxRanges) {
        // A caller still working on it holds its own share.
        m_ranges.pop_front();
    }
    return range;
}

std::vector<double> CKeptPoles::Poles(const CCompiledTerm& f, double k, double a, double b)
{
    const std::shared_ptr<SRange> range = RangeOf(f, a, b);
    // One k at a time per range: the family's scan is filled in by the first.
    std::lock_guard lock{range->mutex};
    const std::uint64_t use = ++range->uses;
    const auto [it, isNew] = range->byK.try_emplace(std::bit_cast<std::uint64_t>(k));
    it->second.lastUse = use;
    if (!isNew) {
        return it->second.poles;
    }
    it->second.poles = PolesOf(range->domain.Of(k));
    if (range->byK.size() > m_maxValuesPerRange) {
        // A repaint asks for every member of a family each time, so the k not asked for longest is
        // one a slider has left behind.
        const auto oldest = std::min_element(
            range->byK.begin(), range->byK.end(),
            [](const auto& u, const auto& v) { return u.second.lastUse < v.second.lastUse; });
        range->byK.erase(oldest); // never it, used just now

    }
    return it->second.poles;
}
