#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/testsupport_verbs.h"
#include "core/horizonprofile.h"
#include "core/seenday.h"
#include "core/testsupport_tempdir.h"
#include "present/texts.h"

namespace dawn::cli {
namespace {

extern "C" char** environ;

std::string Read(const std::string& name) {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/cli/testdata/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunCli(std::vector<std::string> args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int code = RunCommandLine(args, o, e, InProcessVerbs());
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

// With an events file the alarms of its events ring among the designed ones,
// named by the event and side; a bad line (a warning on standard error) is
// left out and the rest rings.
TEST(AlarmsVerb, OwnEventsFromTheirFile) {
    testing::TempDir dir;
    dir.Write("Dawnevents.txt",
              "Before sunset;offset;-30;sunset;alarm=-10,both\n"
              "Noon;elevation;100;both\n");
    const std::string settings = std::string(DAWN_SOURCE_DIR) + "/cli/testdata/alarms_settings.txt";
    std::string out, err;
    EXPECT_EQ(RunCli({"alarms", "--settings", settings, "--date", "2024-06-21", "--events-file",
                      dir.file("Dawnevents.txt")},
                     out, err),
              0);
    // Sunset at 21:55: the event at 21:25, its alarm ten minutes before.
    std::string golden = Read("alarms_velmoren_2024-06-21.txt");
    golden.insert(golden.find("23:11:00"),
                  "21:15:00;Before sunset (setting);-10;Both;2024-06-21;21:25:00\n");
    EXPECT_EQ(out, golden);
}

// An event counting from the visible sunrise rings before the sun shows over
// the skyline of the settings' profile (a relative path, from the settings'
// folder), or from their height without one; --height and --horizon replace
// them, and --event keeps that event's alarms alone.
TEST(AlarmsVerb, VisibleBasesSeeWithTheSettingsOrTheOptions) {
    const std::string jagged = std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt";
    const std::string base = Read("alarms_settings.txt");
    testing::TempDir dir;
    dir.Write("Dawnevents.txt",
              "Sun over the ridge;offset;0;visible sunrise;alarm=-10,both\n"
              "Before sunset;offset;-30;sunset;alarm=-10,both\n");
    dir.Write("ridge.txt", Read("../../astro/testdata/jagged_horizon.txt"));
    for (const char* folder : {"plain", "high", "ridge"})
        std::filesystem::create_directory(dir.file(folder));
    dir.Write("plain/Dawncode.txt", base);
    dir.Write("high/Dawncode.txt", base + "100\r\n\r\n");
    dir.Write("ridge/Dawncode.txt", base + "100\r\n../ridge.txt\r\n");

    const SiteSettings velmoren = DefaultSettings("/nowhere", 2024);
    const DayNumber day = DayNumber::FromYmd(2024, 6, 21);
    auto clock = [](const std::function<void(const SeenDayCallback&)>& walk) {
        std::string text;
        walk([&](const SeenDay& d) {
            AppendClock(text, *d[EventKind::Rise].CrossingClock, ":");
            return false;
        });
        return text + ":00";
    };
    SiteSettings high = velmoren;
    high.ObserverHeightMetres = 100;
    const std::vector<HorizonPoint> points = ReadHorizonProfile(jagged).points;
    const std::string sunrise =
        clock([&](const SeenDayCallback& f) { ForEachDayFromHeight(velmoren, day, day, f); });
    const std::string fromHeight =
        clock([&](const SeenDayCallback& f) { ForEachDayFromHeight(high, day, day, f); });
    const std::string behind =
        clock([&](const SeenDayCallback& f) { ForEachVisibleDay(velmoren, points, day, day, f); });
    ASSERT_NE(sunrise, fromHeight);
    ASSERT_NE(sunrise, behind);

    const struct {
        const char* settings;
        std::vector<std::string> options;
        std::string rise;
    } cases[] = {
        {"plain", {}, sunrise},
        {"high", {}, fromHeight},
        {"ridge", {}, behind},
        {"ridge", {"--height", "0", "--horizon", dir.file("none.txt")}, sunrise},
        {"plain", {"--height", "100"}, fromHeight},
        {"plain", {"--horizon", jagged}, behind},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"alarms",
                                         "--settings",
                                         dir.file(std::string(c.settings) + "/Dawncode.txt"),
                                         "--date",
                                         "2024-06-21",
                                         "--events-file",
                                         dir.file("Dawnevents.txt"),
                                         "--event",
                                         "Sun over the ridge"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliRun run = dawn::cli::RunCli(args);
        EXPECT_EQ(run.code, 0) << run.err;
        ASSERT_EQ(Lines(run.out).size(), 1u) << run.out;
        EXPECT_THAT(run.out,
                    ::testing::EndsWith(";Sun over the ridge (rising);-10;Both;2024-06-21;" +
                                        c.rise + "\n"));
    }

    // Without --events-file, --event takes Dawnevents.txt beside the settings.
    dir.Write("ridge/Dawnevents.txt", "Golden;offset;60;visible sunrise;alarm=0,picture\n");
    CliRun run = dawn::cli::RunCli({"alarms", "--settings", dir.file("ridge/Dawncode.txt"),
                                    "--date", "2024-06-21", "--event", "Golden"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Lines(run.out).size(), 1u);

    // An event the file does not hold, or --event with no file to look in,
    // is a usage error naming it.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"alarms", "--settings", dir.file("plain/Dawncode.txt"), "--date",
                                   "2024-06-21", "--events-file", dir.file("Dawnevents.txt"),
                                   "--event", "Nobody"},
          std::vector<std::string>{"alarms", "--zone", "Europe/Brussels", "--date", "2024-06-21",
                                   "--event", "Nobody"}}) {
        run = dawn::cli::RunCli(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_THAT(run.err, ::testing::HasSubstr("--event"));
        EXPECT_EQ(run.out, "");
    }
}

// Velmoren's settings with the zone line and the place name.
std::string VelmorenSettings(const std::string& zone) {
    std::string lines;
    for (const char* line : {"4", "204", "903", "0", "1", "rise.wav", "set.wav", "1", "rise.jpg",
                             "1", "set.jpg", "1", "328", "3047", "60", "1", "1", "1", "1"})
        lines += std::string(line) + "\r\n";
    return lines + zone + "\r\nVelmoren\r\n";
}

std::string WithoutStamps(std::string text) {
    for (std::size_t at = text.find("DTSTAMP:"); at != std::string::npos;
         at = text.find("DTSTAMP:", at + 1))
        text.erase(at, text.find("\r\n", at) - at);
    return text;
}

// The calendar file: to standard output or, atomically, to a file; the same
// bytes but for the time stamp. A bad range leaves the old file alone.
TEST(IcsVerb, WritesTheCalendarFileAtomically) {
    testing::TempDir dir;
    const std::string settings = dir.file("Dawncode.txt");
    dir.Write("Dawncode.txt", VelmorenSettings("Europe/Brussels"));
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
    // The last date the verb takes, in the zone.
    std::string last;
    ASSERT_EQ(RunCli({"ics", "--settings", settings, "--from", "9999-12-31", "--to", "9999-12-31"},
                     last, err),
              0)
        << err;
    EXPECT_NE(last.find("DTSTART;TZID=Europe/Brussels:99991231T08"), std::string::npos);

    const std::string path = dir.file("sun.ics");
    dir.Write("sun.ics", "old");
    std::string fileOut;
    ASSERT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-30",
                      "--moon", "--twilight", "--out", path},
                     fileOut, err),
              0)
        << err;
    EXPECT_EQ(fileOut, "");
    EXPECT_EQ(WithoutStamps(dir.Read("sun.ics")), WithoutStamps(out));

    EXPECT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-30", "--to", "2024-06-01",
                      "--out", path},
                     out, err),
              2);
    dir.Write("Dawncode.txt", VelmorenSettings("Mars/Olympus_Mons"));
    dir.Write("sun.ics", "old");
    EXPECT_EQ(RunCli({"ics", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-30",
                      "--out", path},
                     out, err),
              1);
    EXPECT_NE(err.find("Mars/Olympus_Mons"), std::string::npos) << err;
    EXPECT_EQ(dir.Read("sun.ics"), "old");
}

struct ProgramRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs the built dawnhelm-cli with `args`, its standard output and error
// into files of `dir`.
ProgramRun RunProgram(const std::vector<std::string>& args, const testing::TempDir& dir) {
    const std::string outPath = dir.file("stdout"), errPath = dir.file("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> all{DAWN_CLI_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    ProgramRun run;
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return run;
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.code = WEXITSTATUS(status);
    run.out = dir.Read("stdout");
    run.err = dir.Read("stderr");
    return run;
}

// Starts the built dawnhelm-cli with `args` in a session of its own, with the
// interrupts' default actions, its output into files of `dir`.
pid_t StartProgram(const std::vector<std::string>& args, const testing::TempDir& dir) {
    const std::string outPath = dir.file("stdout"), errPath = dir.file("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF);
    std::vector<std::string> all{DAWN_CLI_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return failed == 0 ? pid : -1;
}

// The process whose command line holds `needle`, other than this one; -1
// when there is none.
pid_t ProcessWith(const std::string& needle) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const pid_t pid = std::stoi(name);
        if (pid != ::getpid() && cmdline.find(needle) != std::string::npos) return pid;
    }
    return -1;
}

// The names in `dir` that start with `prefix`.
std::vector<std::string> NamesIn(const testing::TempDir& dir, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.str())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    return names;
}

// An interrupted ics: Ctrl-C (an interrupt to the program and its helper), a
// termination request to the program, or one to its helper alone. The helper
// stops and removes its unfinished file, the program waits for it and ends by
// the same signal, and the old file stays as it was.
TEST(IcsVerb, AnInterruptLeavesNoProcessAndNoFileBehind) {
    enum class To { Program, Session, Helper };
    const struct {
        const char* what;
        To to;
        int signal;
    } cases[] = {{"termination of dawnhelm-cli", To::Program, SIGTERM},
                 {"Ctrl-C", To::Session, SIGINT},
                 {"hang-up of dawnhelm-cli", To::Program, SIGHUP},
                 {"termination of the helper", To::Helper, SIGTERM}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempDir dir;
        dir.Write("cal.ics", "old");
        const std::string target = dir.file("cal.ics");
        // Far more than the test waits for: thousands of years of events.
        const pid_t program =
            StartProgram({"ics", "--zone", "Europe/Brussels", "--from", "1583-01-01", "--to",
                          "9999-12-31", "--moon", "--twilight", "--out", target},
                         dir);
        ASSERT_GT(program, 0);
        // Whatever fails below, nothing of the run stays behind.
        struct Reaper {
            pid_t session;
            ~Reaper() {
                if (session <= 0) return;
                ::kill(-session, SIGKILL);
                ::waitpid(session, nullptr, 0);
            }
        } reaper{program};
        // Once the unfinished file is there, the helper is at work.
        for (int i = 0; i < 2000 && NamesIn(dir, ".cal.ics.tmp-").empty(); ++i) ::usleep(10'000);
        ASSERT_EQ(NamesIn(dir, ".cal.ics.tmp-").size(), 1u);
        const pid_t helper = ProcessWith("--out=" + target);
        ASSERT_GT(helper, 0);
        switch (c.to) {
            case To::Program:
                ::kill(program, c.signal);
                break;
            case To::Session:
                ::kill(-program, c.signal);
                break;
            case To::Helper:
                ::kill(helper, c.signal);
                break;
        }
        int status = 0;
        ASSERT_EQ(::waitpid(program, &status, 0), program);
        reaper.session = 0;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        // The helper was waited for: it is gone, not left running.
        EXPECT_EQ(::kill(helper, 0), -1);
        EXPECT_EQ(ProcessWith("--out=" + target), -1);
        EXPECT_TRUE(NamesIn(dir, ".cal").empty());
        EXPECT_EQ(dir.Read("cal.ics"), "old");
        EXPECT_EQ(dir.Read("stderr"), "");
    }
}

// An offset out of range rings at the nearest limit, with a warning.
TEST(AlarmsVerb, AnOffsetOutOfRangeIsClampedWithAWarning) {
    testing::TempDir dir;
    dir.Write("Dawncode.txt", VelmorenSettings("") + "181\r\n1\r\n-99999999999\r\n0\r\n");
    const ProgramRun run =
        RunProgram({"alarms", "--settings", dir.file("Dawncode.txt"), "--date", "2024-06-21"}, dir);
    EXPECT_EQ(run.code, 0);
    const std::string& err = run.err;
    const std::string& out = run.out;
    EXPECT_THAT(err, ::testing::HasSubstr("line 22: '181' is outside -180..180; 180 is used"));
    EXPECT_THAT(err, ::testing::HasSubstr("'-99999999999' is outside -180..180; -180 is used"));
    EXPECT_THAT(out, ::testing::HasSubstr(";Sunrise;+180;Notification;2024-06-21;"));
    EXPECT_THAT(out, ::testing::HasSubstr(";Sunset;-180;Picture;2024-06-21;"));
}

// dawnhelm-cli hands the ics verb to its helper program: what reaches
// standard output, the file and standard error, and the exit code, are the
// verb's own, as when it runs here.
TEST(IcsVerb, DawnhelmCliThroughItsHelperGivesTheVerbsOwnResults) {
    testing::TempDir dir;
    dir.Write("Dawncode.txt", VelmorenSettings("Europe/Brussels"));
    dir.Write("Mars.txt", VelmorenSettings("Mars/Olympus_Mons"));
    dir.Write("Warned.txt", "3047\r\nnorth\r\n");
    const std::string settings = dir.file("Dawncode.txt");
    const std::string file = dir.file("out.ics");
    const std::vector<std::string> range{"--from", "2024-06-01", "--to", "2024-06-03"};
    const std::vector<std::vector<std::string>> cases = {
        {"ics", "--settings", settings, "--moon", "--twilight"},
        {"ics", "--settings", settings, "--out", "-"},
        {"ics", "--settings", settings, "--out", file, "--twilight"},
        {"ics", "--settings", dir.file("Warned.txt")},
        {"ics", "--settings", dir.file("Mars.txt"), "--out", file},
        {"ics", "--settings", settings, "--out", ""},
        {"ics", "--settings", dir.str()},
        {"ics", "--settings", "--twilight"},
        {"ics", "--settings", settings, "--zone", "Europe/Moscow"},
        {"ics", "--place", "Moscow", "--twilight"},
        {"ics", "--zone", "Nowhere/Atlantis"},
    };
    for (std::vector<std::string> args : cases) {
        args.insert(args.end(), range.begin(), range.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        std::ostringstream out, err, warnings;
        auto* saved = std::cerr.rdbuf(warnings.rdbuf());
        const int code = RunCommandLine(args, out, err, InProcessVerbs());
        std::cerr.rdbuf(saved);
        const std::string written = dir.Read("out.ics");
        std::filesystem::remove(file);

        const ProgramRun run = RunProgram(args, dir);
        EXPECT_EQ(run.code, code);
        EXPECT_EQ(WithoutStamps(run.out), WithoutStamps(out.str()));
        EXPECT_EQ(run.err, warnings.str() + err.str());
        EXPECT_EQ(WithoutStamps(dir.Read("out.ics")), WithoutStamps(written));
        std::filesystem::remove(file);
    }
}

// A reader that stops reading (`| head`) stops the ics verb as it stops any
// other verb: quietly, by the broken pipe, with no message of a helper.
TEST(IcsVerb, AClosedPipeStopsDawnhelmCliQuietly) {
    testing::TempDir dir;
    const std::string errPath = dir.file("stderr");
    for (const char* verb : {"events", "ics"}) {
        SCOPED_TRACE(verb);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        ::close(fds[0]);  // nobody reads
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        // Signals reach the program as a shell would leave them.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t pipeOnly;
        sigemptyset(&pipeOnly);
        sigaddset(&pipeOnly, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &pipeOnly);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        std::vector<std::string> all{
            DAWN_CLI_PROGRAM,
            verb,
            std::string(verb) == "ics" ? "--settings" : "--tz",
            std::string(verb) == "ics" ? "/nonexistent/Dawncode.txt" : "60",
            "--from",
            "2000-01-01",
            "--to",
            "2009-12-31"};
        if (std::string(verb) == "events") all.insert(all.end(), {"--lat", "3047", "--lon", "328"});
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        ::close(fds[1]);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), SIGPIPE);
        EXPECT_EQ(dir.Read("stderr"), "");
    }
}

}  // namespace
}  // namespace dawn::cli
