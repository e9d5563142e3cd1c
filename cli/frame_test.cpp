#include "cli/frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dawn_version.h"

namespace dawn::cli {
namespace {

using testing::HasSubstr;

// The global words before any verb: the version, and the help that names it.
TEST(Frame, VersionAndHelp) {
    const std::string version = std::string("dawnhelm-cli ") + kVersionText + "\n";
    struct Case {
        std::vector<std::string> args;
        bool brokenOutput;
        int code;
        std::string out;  // the whole output, or a part of it for the help
        std::string err;  // a part of the error line, or empty for none
    };
    const Case cases[] = {
        {{"--version"}, false, kExitSuccess, version, ""},
        {{"--version", "day"}, false, kExitUsage, "", "--version takes no arguments"},
        {{"--version"}, true, kExitFailure, "", ""},
        {{"day", "--version"}, false, kExitUsage, "", "unknown option '--version'"},
        {{"--help"}, false, kExitSuccess, "       dawnhelm-cli --version\n", ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        if (c.brokenOutput) out.setstate(std::ios::badbit);
        EXPECT_EQ(RunCommandLine(c.args, out, err), c.code) << c.args[0];
        if (c.args[0] == "--help") {
            EXPECT_THAT(out.str(), HasSubstr(c.out));
        } else {
            EXPECT_EQ(out.str(), c.out) << c.args[0];
        }
        if (c.err.empty()) {
            EXPECT_EQ(err.str(), "") << c.args[0];
        } else {
            EXPECT_THAT(err.str(), HasSubstr(c.err)) << c.args[0];
        }
    }
}

}  // namespace
}  // namespace dawn::cli
