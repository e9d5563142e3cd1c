#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "core/testsupport_tempdir.h"

namespace dawn::cli {
namespace {

std::string Read(const std::string& name) {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/cli/testdata/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunCli(std::vector<std::string> args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int code = RunCommandLine(args, o, e);
    out = o.str();
    err = e.str();
    return code;
}

// Velmoren at midsummer with every kind of alarm: sunrise 15 minutes early
// as a notification, sunset three hours late (the day before's rings after
// midnight), civil dawn at the event, civil dusk half an hour late.
TEST(AlarmsVerb, GoldenDay) {
    const std::string settings = std::string(DAWN_SOURCE_DIR) + "/cli/testdata/alarms_settings.txt";
    std::string out, err;
    EXPECT_EQ(RunCli({"alarms", "--settings", settings, "--date", "2024-06-21"}, out, err), 0)
        << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(out, Read("alarms_velmoren_2024-06-21.txt"));

    // The default settings ring the designed alarms only.
    EXPECT_EQ(RunCli({"alarms", "--settings", "/nonexistent/Dawncode.txt", "--date", "2024-06-21"},
                     out, err),
              0);
    EXPECT_THAT(out, ::testing::HasSubstr(";Sunrise;0;Picture;2024-06-21;"));
    EXPECT_EQ(RunCli({"alarms", "--settings", settings, "--date", "2024-13-01"}, out, err), 2);
    EXPECT_THAT(err, ::testing::HasSubstr("--date"));
}

// The calendar file: to standard output or, atomically, to a file; the same
// bytes but for the time stamp. A bad range leaves the old file alone.
TEST(IcsVerb, WritesTheCalendarFileAtomically) {
    testing::TempDir dir;
    const std::string settings = dir.file("Dawncode.txt");
    std::string lines;  // Velmoren
    for (const char* line : {"4", "204", "903", "0", "1", "rise.wav", "set.wav", "1", "rise.jpg",
                             "1", "set.jpg", "1", "328", "3047", "60", "1", "1", "1", "1"})
        lines += std::string(line) + "\r\n";
    dir.Write("Dawncode.txt", lines + "Europe/Brussels\r\nVelmoren\r\n");
    std::string out, err;
    ASSERT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-30",
                      "--moon", "--twilight", "--out", "-"},
                     out, err),
              0)
        << err;
    EXPECT_EQ(out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(out.find("BEGIN:VTIMEZONE\r\nTZID:Europe/Brussels\r\n"), std::string::npos);
    EXPECT_NE(out.find("UID:20240621-sunrise-3047N-328E@dawnhelm\r\n"), std::string::npos);
    EXPECT_NE(out.find("UID:20240621-civildusk-3047N-328E@dawnhelm\r\n"), std::string::npos);
    EXPECT_NE(out.find("LOCATION:Velmoren\r\n"), std::string::npos);
    EXPECT_EQ(out.find("VALARM"), std::string::npos);

    const std::string path = dir.file("sun.ics");
    dir.Write("sun.ics", "old");
    std::string fileOut;
    ASSERT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-30",
                      "--moon", "--twilight", "--out", path},
                     fileOut, err),
              0)
        << err;
    EXPECT_EQ(fileOut, "");
    auto withoutStamps = [](std::string text) {
        for (std::size_t at = text.find("DTSTAMP:"); at != std::string::npos;
             at = text.find("DTSTAMP:", at + 1))
            text.erase(at, text.find("\r\n", at) - at);
        return text;
    };
    EXPECT_EQ(withoutStamps(dir.Read("sun.ics")), withoutStamps(out));

    EXPECT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-30", "--to", "2024-06-01",
                      "--out", path},
                     out, err),
              2);
    dir.Write("Dawncode.txt", lines + "Mars/Olympus_Mons\r\n");
    dir.Write("sun.ics", "old");
    EXPECT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-30",
                      "--out", path},
                     out, err),
              1);
    EXPECT_NE(err.find("Mars/Olympus_Mons"), std::string::npos) << err;
    EXPECT_EQ(dir.Read("sun.ics"), "old");
}

}  // namespace
}  // namespace dawn::cli
