#include "cli/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dawn::cli {
namespace {

using testing::HasSubstr;

VerbOutcome Nothing(const Command&, std::ostream&) {
    return {};
}

constexpr Option kPlotOptions[] = {
    {"lat", "MINUTES", true, "latitude"},
    {"size", "N", false, "size"},
    {"moon", "", false, "the moon"},
};
const Verb kPlot{"plot", "draws", "", kPlotOptions, &Nothing};
const Verb kBare{"bare", "nothing to set", "", {}, &Nothing};
const Verb kFind{"find",   "looks up", "", std::span<const Option>(kPlotOptions).subspan(1),
                 &Nothing, "QUERY"};
const Verb* const kVerbs[] = {&kPlot, &kBare, &kFind};

ParseResult Parse(std::vector<std::string> args) {
    return ParseArguments(args, kVerbs);
}

TEST(ParseArguments, ValuesFlagsAndHelp) {
    const ParseResult r = Parse({"plot", "--lat", "-2032", "--size=7", "--moon"});
    ASSERT_TRUE(r.command) << r.error;
    EXPECT_EQ(r.command->verb, &kPlot);
    EXPECT_FALSE(r.command->help);
    ASSERT_NE(r.command->Value("lat"), nullptr);
    EXPECT_EQ(*r.command->Value("lat"), "-2032");  // a negative value is a value, not an option
    EXPECT_EQ(*r.command->Value("size"), "7");
    EXPECT_TRUE(r.command->Flag("moon"));
    EXPECT_EQ(r.command->Value("missing"), nullptr);

    const ParseResult empty = Parse({"plot", "--lat=", "--size", ""});
    ASSERT_TRUE(empty.command) << empty.error;
    EXPECT_EQ(*empty.command->Value("lat"), "");  // checked by the verb, not here

    EXPECT_TRUE(Parse({"bare"}).command);

    // The operand stands anywhere among the options; "" and "-5" are operands too.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"find", "New York", "--size", "3"}, {"find", "--size=3", "New York"}}) {
        const ParseResult found = Parse(args);
        ASSERT_TRUE(found.command) << found.error;
        EXPECT_EQ(found.command->operand, "New York");
        EXPECT_EQ(*found.command->Value("size"), "3");
    }
    EXPECT_EQ(Parse({"find", ""}).command->operand, "");
    EXPECT_EQ(Parse({"find", "-5"}).command->operand, "-5");
    EXPECT_FALSE(Parse({"bare"}).command->operand);

    const struct {
        std::vector<std::string> args;
        const Verb* verb;
    } helps[] = {
        {{"--help"}, nullptr},
        {{"-h"}, nullptr},
        {{"help"}, nullptr},
        {{"help", "plot"}, &kPlot},
        {{"plot", "--help"}, &kPlot},
        {{"plot", "--size", "3", "-h"}, &kPlot},  // required options are not needed for help
    };
    for (const auto& h : helps) {
        const ParseResult r2 = Parse(h.args);
        ASSERT_TRUE(r2.command) << h.args[0] << ": " << r2.error;
        EXPECT_TRUE(r2.command->help) << h.args[0];
        EXPECT_EQ(r2.command->verb, h.verb) << h.args[0];
    }
}

TEST(ParseArguments, ErrorsAreOneClearLine) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "no verb given"},
        {{"draw"}, "unknown verb 'draw'"},
        {{"--lat", "1"}, "unknown verb '--lat'"},
        {{"help", "draw"}, "unknown verb 'draw'"},
        {{"help", "plot", "bare"}, "at most one verb"},
        {{"plot"}, "plot: missing --lat MINUTES"},
        {{"plot", "--size", "3"}, "missing --lat"},
        {{"plot", "--lat", "1", "--colour", "red"}, "plot: unknown option '--colour'"},
        {{"plot", "--lat", "1", "--colour=red"}, "unknown option '--colour'"},
        {{"plot", "--lat", "1", "--lat", "2"}, "--lat is given more than once"},
        {{"plot", "--lat", "1", "--moon", "--moon"}, "--moon is given more than once"},
        {{"plot", "--lat"}, "--lat needs a value (MINUTES)"},
        {{"plot", "--lat", "1", "--moon=yes"}, "--moon takes no value"},
        {{"plot", "--lat", "1", "extra"}, "unexpected argument 'extra'"},
        {{"plot", "--lat", "1", "-x"}, "unexpected argument '-x'"},
        {{"plot", "--lat", "1", "--"}, "unexpected argument '--'"},
        {{"plot", "--lat", "1", "bad\nline\x1b"}, "unexpected argument 'bad?line?'"},
        {{"find"}, "find: missing QUERY"},
        {{"find", "--size", "3"}, "find: missing QUERY"},
        {{"find", "Oslo", "Bergen"}, "find: unexpected argument 'Bergen'"},
    };
    for (const auto& c : cases) {
        const ParseResult r = Parse(c.args);
        EXPECT_FALSE(r.command) << c.message;
        EXPECT_THAT(r.error, HasSubstr(c.message));
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    }
    // A very long argument is shown cut short.
    const ParseResult r = Parse({std::string(100000, 'x')});
    EXPECT_LT(r.error.size(), 200u);
}

TEST(HelpText, DescribesEveryVerbAndOption) {
    const std::string all = HelpText(kVerbs);
    for (const char* part :
         {"plot", "draws", "bare", "nothing to set", "--lat MINUTES", "[--size N]", "[--moon]"}) {
        EXPECT_THAT(all, HasSubstr(part));
    }
    const std::string one = VerbHelpText(kPlot);
    EXPECT_THAT(one, HasSubstr("Usage: dawnhelm-cli plot --lat MINUTES [--size N] [--moon]"));
    EXPECT_THAT(VerbHelpText(kFind),
                HasSubstr("Usage: dawnhelm-cli find QUERY [--size N] [--moon]"));
    EXPECT_THAT(one, testing::ContainsRegex("--size N +size \\(optional\\)"));
    EXPECT_EQ(one.find("bare"), std::string::npos);
}

}  // namespace
}  // namespace dawn::cli
