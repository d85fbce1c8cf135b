#pragma once

// Undoing what a write cut short left behind. WriteWholeFile keeps a journal
// entry for each write under way, in $XDG_STATE_HOME/orrikey/pending (else
// $HOME/.local/state/orrikey/pending); a process killed half way leaves its
// entry there, and the next start acts on it.

#include <string>
#include <vector>

namespace orrikey::files {

struct InterruptedWrite {
  enum class Outcome {
    kRestored,  // `path` holds its content from before the write again
    kRemoved,   // `path` was the new content's temporary name, now gone
    kFailed,    // left as it was; the entry stays for the next start
  };
  Outcome outcome;
  std::string path;
  // For the user, naming the file: what was restored, or what failed. Empty
  // for a temporary name removed, which changed nothing the user knew of.
  std::string message;
};

// The user's state folder for Orrikey: $XDG_STATE_HOME/orrikey, else
// $HOME/.local/state/orrikey; empty when neither variable names an absolute
// folder. The journal is there, and the editor's recovery copies.
std::string StateFolder();

// Acts on the entries that writers which died left: a file that was being
// overwritten in place gets its old content back, when its path still names
// that same file, and a temporary name beside a file is removed. Entries of
// writes still under way, in this process or another, are left alone.
// Programs call this once at start, before they read or write files. It is
// cheap when nothing is pending: one look at a folder that is empty or not
// there.
std::vector<InterruptedWrite> RecoverInterruptedWrites();

}  // namespace orrikey::files
