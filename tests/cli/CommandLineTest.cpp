#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SPickCase
{
    std::vector<const char*> args;
    ECommand expected;
};

// The first headless option decides, wherever it stands; a file name that merely contains the
// word does not.
TEST(CommandLine, PicksTheCommandOfTheFirstHeadlessOption)
{
    const SPickCase cases[] = {
        {{"vexplot"}, ECommand::Window},
        {{"vexplot", "graph.zel"}, ECommand::Window},
        {{"vexplot", "--export-graph.zel"}, ECommand::Window},
        {{"vexplot", "--export", "a.png", "g.zel"}, ECommand::Export},
        {{"vexplot", "g.zel", "--discuss", "zeros"}, ECommand::Discuss},
        {{"vexplot", "--discuss", "zeros", "--export"}, ECommand::Discuss},
        {{"vexplot", "--export", "a.png", "--discuss"}, ECommand::Export},
    };
    for (const SPickCase& c : cases) {
        EXPECT_EQ(PickCommand(static_cast<int>(c.args.size()), c.args.data()), c.expected) << c.args.size();
    }
}

} // namespace
