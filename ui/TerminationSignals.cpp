#include "ui/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <stdexcept>

#include <sys/socket.h>
#include <unistd.h>

namespace orrikey {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// A handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void Forward(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
    throw std::runtime_error("Cannot watch for termination signals");
  notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte;
    if (::read(signalPipe[1], &byte, 1) == 1) emit received();
  });
  struct sigaction action = {};
  action.sa_handler = Forward;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

}  // namespace orrikey
