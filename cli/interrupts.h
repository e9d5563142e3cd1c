// Interrupts during long work: Ctrl-C (SIGINT), a termination request
// (SIGTERM) and a hang-up (SIGHUP). While they are caught, the work notices
// the signal at its next step and stops, cleans up (an unfinished file is
// removed, the old one stays), and the program then ends by the same signal,
// as it would have without catching it. A program that hands its work to a
// helper passes each one on to the helper and waits for it.
#pragma once

#include <sys/types.h>

namespace dawn::cli {

// Catches the interrupts from now until the object goes, then puts back what
// was there before. Interrupted system calls are not restarted, so a write
// blocked on a full pipe returns.
class CatchInterrupts {
public:
    CatchInterrupts();
    ~CatchInterrupts();
    CatchInterrupts(const CatchInterrupts&) = delete;
    CatchInterrupts& operator=(const CatchInterrupts&) = delete;
};

// The last interrupt caught, 0 when none was.
int CaughtInterrupt();

// Every interrupt caught from now on is passed on to `pid` (0: to nobody);
// one already caught is passed on at once.
void PassInterruptsTo(pid_t pid);

// Ends the program by the interrupt caught, if there was one, with the
// signal's own action; returns when none was caught.
void EndByCaughtInterrupt();

}  // namespace dawn::cli
