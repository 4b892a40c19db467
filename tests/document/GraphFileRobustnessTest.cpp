#include "GraphFileTestSupport.h"

#include "document/GraphFile.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

// A document that a failed read must leave exactly as it was.
struct Bystander
{
    Bystander() : doc{MakeRichDocument(0)}, before{Describe(doc)} {}
    CZelDoc doc;
    std::string before;
};

std::vector<std::pair<std::string, Bytes>> ValidFiles()
{
    return {
        {"new.zel", LoadTestFile("new.zel")},
        {"sample.zel", LoadTestFile("sample.zel")},
        {"rich document", WriteGraphFile(MakeRichDocument(2))},
    };
}

TEST(GraphFileRobustness, EveryProperPrefixFailsCleanly)
{
    Bystander target;
    for (const auto& [name, bytes] : ValidFiles()) {
        ASSERT_FALSE(bytes.empty()) << name;
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            std::string error;
            const bool ok = ReadGraphFile(std::span{bytes}.first(cut), target.doc, error);
            ASSERT_FALSE(ok) << name << " cut at " << cut;
            ASSERT_FALSE(error.empty()) << name << " cut at " << cut;
        }
        ASSERT_EQ(Describe(target.doc), target.before) << name;
        std::string error;
        CZelDoc whole;
        EXPECT_TRUE(ReadGraphFile(bytes, whole, error)) << name << ": " << error;
    }
}

// Changes that hit the places where files go wrong: single bits, whole bytes, counts and string
// prefixes set to extreme values, cuts, insertions and removals.
Bytes Mutate(Bytes bytes, std::mt19937& rng)
{
    const auto pick = [&rng](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>{0, n - 1}(rng);
    };
    const int operations = 1 + static_cast<int>(pick(3));
    for (int op = 0; op < operations && !bytes.empty(); ++op) {
        const std::size_t at = pick(bytes.size());
        switch (pick(6)) {
        case 0:
            bytes[at] ^= static_cast<std::uint8_t>(1u << pick(8));
            break;
        case 1:
            bytes[at] = static_cast<std::uint8_t>(pick(256));
            break;
        case 2: {
            static constexpr std::uint32_t extremes[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xFFFEFFu,
                                                         0xFFFFFFu,   0xFFFFu,     0u,          1u};
            const std::uint32_t v = extremes[pick(std::size(extremes))];
            for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
                bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
            }
            break;
        }
        case 3:
            bytes.resize(at);
            break;
        case 4:
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), 1 + pick(8),
                         static_cast<std::uint8_t>(pick(256)));
            break;
        default:
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                        bytes.begin() +
                            static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + 1 + pick(16))));
            break;
        }
    }
    return bytes;
}

TEST(GraphFileRobustness, RandomMutationsNeverHurt)
{
    std::mt19937 rng{20240611u};
    Bystander target;
    int accepted = 0;
    int refused = 0;
    for (const auto& [name, valid] : ValidFiles()) {
        for (int i = 0; i < 1500; ++i) {
            const Bytes bytes = Mutate(valid, rng);
            CZelDoc doc = target.doc;
            std::string error;
            if (ReadGraphFile(bytes, doc, error)) {
                ++accepted;
                ASSERT_FALSE(doc.IsModified()) << name << " #" << i;
                ASSERT_FALSE(doc.CanUndo()) << name << " #" << i;
                // What was read is normalised already: writing and reading again changes nothing.
                const Bytes written = WriteGraphFile(doc);
                CZelDoc again;
                ASSERT_TRUE(ReadGraphFile(written, again, error)) << name << " #" << i << ": " << error;
                ASSERT_EQ(WriteGraphFile(again), written) << name << " #" << i;
            } else {
                ++refused;
                ASSERT_FALSE(error.empty()) << name << " #" << i;
                ASSERT_EQ(Describe(doc), target.before) << name << " #" << i;
            }
        }
    }
    // Both outcomes must have been exercised, or the mutations miss the point.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

} // namespace
