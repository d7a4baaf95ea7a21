#pragma once

#include <string>

namespace quorvane {

// The system's record that starts this program when the user logs in.
class StartupEntry {
 public:
  virtual ~StartupEntry() = default;
  // Registers the running program. Returns what the user is to be told when an
  // entry that someone else made is kept instead; empty otherwise. Throws
  // AppError when no entry can be written.
  virtual std::string Add() = 0;
  // Removes the entry; removing an absent entry is not an error. Throws AppError
  // when an entry is still there afterwards.
  virtual void Remove() = 0;
  // Whether an entry that starts this program is there now. Never throws.
  virtual bool Exists() const = 0;
  // Checked at each start: an entry that starts this program for every user, when
  // the program no longer qualifies for that, becomes the user's own. Returns what
  // the user is to be told of it, once; empty when nothing changed. Never throws.
  virtual std::string Recheck() { return {}; }
};

}  // namespace quorvane
