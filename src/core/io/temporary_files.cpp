#include "core/io/temporary_files.h"

#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace bubblix {
namespace {

// A few saves may be in progress at once (a save and the back-up copy it makes, on more than
// one thread at most).
constexpr std::size_t kSlots = 8;

enum SlotState : int { kFree = 0, kFilling = 1, kListed = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

// Reached from the signal handler: only lock-free atomics and plain bytes.
std::array<Slot, kSlots> slots;

static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void removeTemporariesAndEnd(int signal) {
  const int savedErrno = errno;
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kListed) ::unlink(slot.path);
  }
  // The default action, as if no handler had been installed: the signal is blocked while its
  // handler runs, so it is delivered as soon as the handler returns.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  errno = savedErrno;
}

void handleUnlessIgnored(int signal) {
  struct sigaction previous {};
  if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = removeTemporariesAndEnd;
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

void installFileSignalHandlers() {
  ::signal(SIGXFSZ, SIG_IGN);
  handleUnlessIgnored(SIGINT);
  handleUnlessIgnored(SIGTERM);
}

SaveSignalsBlocked::SaveSignalsBlocked() {
  sigset_t blocked;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGINT);
  sigaddset(&blocked, SIGTERM);
  ::pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
}

SaveSignalsBlocked::~SaveSignalsBlocked() {
  ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

bool listTemporaryFile(const std::string& path) {
  if (path.empty() || path.size() >= PATH_MAX) return false;
  for (Slot& slot : slots) {
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel))
      continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.state.store(kListed, std::memory_order_release);
    return true;
  }
  return false;
}

void unlistTemporaryFile(const std::string& path) {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kListed && path == slot.path) {
      slot.state.store(kFree, std::memory_order_release);
      return;
    }
  }
}

}  // namespace bubblix
