#include "cli/interrupts.h"

#include <signal.h>

#include <atomic>

namespace dawn::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written by the handler: lock-free atomics are safe there.
std::atomic<int> gCaught{0};
std::atomic<pid_t> gPassTo{0};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free);

struct sigaction gBefore[std::size(kSignals)];

void OnInterrupt(int signal) {
    gCaught.store(signal);
    if (const pid_t pid = gPassTo.load(); pid > 0) ::kill(pid, signal);
}

}  // namespace

CatchInterrupts::CatchInterrupts() {
    gCaught.store(0);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a blocked call returns
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &gBefore[i]);
        // An interrupt the program was started to ignore stays ignored.
        if (gBefore[i].sa_handler == SIG_IGN) continue;
        ::sigaction(kSignals[i], &action, nullptr);
    }
}

CatchInterrupts::~CatchInterrupts() {
    gPassTo.store(0);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &gBefore[i], nullptr);
}

int CaughtInterrupt() {
    return gCaught.load();
}

void PassInterruptsTo(pid_t pid) {
    gPassTo.store(pid);
    if (const int signal = gCaught.load(); signal != 0 && pid > 0) ::kill(pid, signal);
}

void EndByCaughtInterrupt() {
    const int signal = gCaught.load();
    if (signal == 0) return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
}

}  // namespace dawn::cli
