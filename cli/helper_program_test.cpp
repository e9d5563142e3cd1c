#include "cli/helper_program.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dawn::cli {
namespace {

// The command given to a helper is the command as parsed: a value that
// starts with "-" or "--", or is empty, stays the option's value, a flag
// not given stays away, and the operand comes last.
TEST(HelperProgram, PassesTheCommandOnAsParsed) {
    const Option options[] = {
        {"settings", "FILE", true, ""}, {"moon", "", false, ""},    {"twilight", "", false, ""},
        {"from", "DATE", false, ""},    {"out", "FILE", false, ""},
    };
    const Verb verb{"thing", "", "", options, nullptr, "QUERY"};
    const std::vector<std::string> args = {"thing",      "-x",    "--settings", "--moon",
                                           "--twilight", "--out", "",           "--from=-5"};
    const ParseResult parsed = ParseArguments(args, std::vector<const Verb*>{&verb});
    ASSERT_TRUE(parsed.command) << parsed.error;
    EXPECT_EQ(CommandArguments(verb.name, verb.options, *parsed.command),
              (std::vector<std::string>{"thing", "--settings=--moon", "--twilight", "--from=-5",
                                        "--out=", "-x"}));
    // Parsed again, the arguments give the same command.
    const ParseResult again =
        ParseArguments(CommandArguments(verb.name, verb.options, *parsed.command),
                       std::vector<const Verb*>{&verb});
    ASSERT_TRUE(again.command) << again.error;
    EXPECT_EQ(again.command->values, parsed.command->values);
    EXPECT_EQ(again.command->flags, parsed.command->flags);
    EXPECT_EQ(again.command->operand, parsed.command->operand);
}

TEST(HelperProgram, AMissingHelperIsAFailureThatNamesIt) {
    const Verb verb{"thing", "", "", {}, nullptr};
    Command command;
    command.verb = &verb;
    std::ostringstream out;
    const VerbOutcome outcome =
        RunHelperProgram({"dawnhelm-no-such-helper", "drawing helper"}, command, out);
    EXPECT_EQ(outcome.exitCode, kExitFailure);
    EXPECT_EQ(outcome.error,
              "the drawing helper dawnhelm-no-such-helper is not installed beside dawnhelm-cli");
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace dawn::cli
