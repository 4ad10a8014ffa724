#pragma once
// The temporary files of saves in progress, and the signals that would otherwise leave them
// behind or kill a save half-way.
//
// Every program calls installFileSignalHandlers() first thing:
//  - SIGXFSZ (a write beyond the process's file-size limit, `ulimit -f`) is ignored, so that
//    the write fails with "file too large" and the save reports it, instead of the program
//    dying silently with a half-written temporary file;
//  - SIGINT and SIGTERM remove the temporary files of the saves in progress and then take
//    their default action (the program ends as it would have). A signal that was ignored when
//    the program started (nohup, a background job) stays ignored.
//
// The list is process-wide by nature - a signal handler can reach nothing else - and holds
// names only while a save is between creating a temporary file and renaming or removing it.

#include <signal.h>

#include <string>

namespace bubblix {

void installFileSignalHandlers();

// While one lives, SIGINT and SIGTERM wait (on this thread), so that a temporary file is
// never created without being listed, nor renamed while still listed.
class SaveSignalsBlocked {
 public:
  SaveSignalsBlocked();
  ~SaveSignalsBlocked();
  SaveSignalsBlocked(const SaveSignalsBlocked&) = delete;
  SaveSignalsBlocked& operator=(const SaveSignalsBlocked&) = delete;

 private:
  sigset_t previous_;  // the thread's signal mask before
};

// Lists a temporary file for removal by the handlers; false when the list is full or the
// name too long (the file is then only removed by the save itself).
bool listTemporaryFile(const std::string& path);
// Takes a name off the list (it has been renamed or removed).
void unlistTemporaryFile(const std::string& path);

}  // namespace bubblix
