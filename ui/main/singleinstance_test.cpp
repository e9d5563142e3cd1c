#include "ui/main/singleinstance.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

namespace dawn {
namespace {

// The second start asks from another thread: its waits block, while the
// running copy answers in this thread's event loop.
bool AskFromAnotherStart(const std::string& folder, int timeoutMs) {
    std::atomic<int> answer{-1};
    std::thread second([&] { answer = AskRunningCopyToShow(folder, timeoutMs) ? 1 : 0; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer != -1; }, timeoutMs + 5000));
    second.join();
    return answer == 1;
}

TEST(SingleInstance, ASecondStartInTheFolderBringsTheRunningWindowForward) {
    QTemporaryDir folder;
    QTemporaryDir otherFolder;
    const std::string path = folder.path().toStdString();
    // Another path of the same folder meets the same copy.
    const std::string samePath = path + "/.";
    EXPECT_EQ(InstanceSocketName(path), InstanceSocketName(samePath));
    EXPECT_NE(InstanceSocketName(path), InstanceSocketName(otherFolder.path().toStdString()));

    EXPECT_FALSE(AskFromAnotherStart(path, 300));  // nobody runs there yet
    InstanceServer running(path);
    ASSERT_TRUE(running.listening());
    QSignalSpy shown(&running, &InstanceServer::showRequested);
    EXPECT_TRUE(AskFromAnotherStart(samePath, 3000));
    EXPECT_EQ(shown.count(), 1);
    EXPECT_FALSE(AskFromAnotherStart(otherFolder.path().toStdString(), 300));
    EXPECT_EQ(shown.count(), 1);
}

}  // namespace
}  // namespace dawn
