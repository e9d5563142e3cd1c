#include "ui/main/singleinstance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cstring>
#include <thread>

namespace dawn {
namespace {

// The second start asks from another thread: its waits block, while the
// running copy answers in this thread's event loop.
bool AskFromAnotherStart(const std::string& folder, const PrivateFolder& own, int timeoutMs) {
    std::atomic<int> answer{-1};
    std::thread second([&] { answer = AskRunningCopyToShow(folder, own, timeoutMs) ? 1 : 0; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer != -1; }, timeoutMs + 5000));
    second.join();
    return answer == 1;
}

TEST(SingleInstance, ASecondStartInTheFolderBringsTheRunningWindowForward) {
    QTemporaryDir folder;
    QTemporaryDir otherFolder;
    QTemporaryDir temp;
    const PrivateFolder own = UserPrivateFolder("", temp.path().toStdString());
    ASSERT_FALSE(own.path.empty()) << own.error;
    const std::string path = folder.path().toStdString();
    // Another path of the same folder meets the same copy.
    const std::string samePath = path + "/.";
    EXPECT_EQ(InstanceSocketName(path, own), InstanceSocketName(samePath, own));
    EXPECT_NE(InstanceSocketName(path, own),
              InstanceSocketName(otherFolder.path().toStdString(), own));
    EXPECT_TRUE(InstanceSocketName(path, own).startsWith(QString::fromStdString(own.path) + "/"));

    EXPECT_FALSE(AskFromAnotherStart(path, own, 300));  // nobody runs there yet
    InstanceServer running(path, own);
    ASSERT_TRUE(running.listening());
    QSignalSpy shown(&running, &InstanceServer::showRequested);
    EXPECT_TRUE(AskFromAnotherStart(samePath, own, 3000));
    EXPECT_EQ(shown.count(), 1);
    EXPECT_FALSE(AskFromAnotherStart(otherFolder.path().toStdString(), own, 300));
    EXPECT_EQ(shown.count(), 1);

    // Without a private folder nothing listens and nobody is asked.
    const PrivateFolder none{{}, "planted"};
    EXPECT_TRUE(InstanceSocketName(path, none).isEmpty());
    EXPECT_FALSE(InstanceServer(path, none).listening());
    EXPECT_FALSE(AskRunningCopyToShow(path, none, 300));
}

// Another user listening at the name first (were the folder of the socket
// open to it) answers "shown" to anything; the start sees that the one
// listening is not its user's and asks it nothing.
TEST(SingleInstance, AnotherUsersListenerIsNotAsked) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as a second user needs the tests to run as root";
    constexpr uid_t kOther = 65534;  // nobody
    QTemporaryDir folder;
    QTemporaryDir base;
    ::chmod(base.path().toLocal8Bit().constData(), 0755);
    const std::string theirs = base.path().toStdString() + "/theirs";
    ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
    ASSERT_EQ(::chown(theirs.c_str(), kOther, kOther), 0);
    const PrivateFolder planted{theirs, {}};
    const std::string path = folder.path().toStdString();
    const QByteArray name = QFile::encodeName(InstanceSocketName(path, planted));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The other user: only calls that are safe after fork.
        if (::setgid(kOther) != 0 || ::setuid(kOther) != 0) ::_exit(2);
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (listener < 0 ||
            ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, 4) != 0)
            ::_exit(3);
        if (::write(ready[1], "r", 1) != 1) ::_exit(4);
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) ::_exit(5);
        char request[16];
        const ssize_t got = ::read(client, request, sizeof request);
        ::signal(SIGPIPE, SIG_IGN);
        const bool answered = ::write(client, "shown\n", 6) == 6;
        static_cast<void>(answered);
        ::_exit(got > 0 ? 1 : 0);  // 1: it was asked
    }
    char r = 0;
    ASSERT_EQ(::read(ready[0], &r, 1), 1);
    EXPECT_FALSE(AskRunningCopyToShow(path, planted, 2000));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "asked: " << status;
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
}  // namespace dawn
