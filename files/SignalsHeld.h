#pragma once

// Holds back the signals that end a process on request (TERM, INT, HUP)
// while a file is being replaced, so that such a signal takes effect only
// once the file is whole again and no temporary name is left behind.

#include <signal.h>

namespace orrikey::files {

class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGTERM);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &held, &before_);
  }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;
  // A signal that came meanwhile is delivered here.
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

 private:
  sigset_t before_;
};

}  // namespace orrikey::files
