#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "platform/AppError.h"

namespace quorvane::testing {

// Runs `attempt` in a child process and returns the description of the AppError it
// threw: "no error" when it threw none, "child failed" when the child died. With
// `unprivileged`, a child started as root first becomes "nobody", for checks of
// permissions that root would walk past.
inline std::string ErrorInChild(const std::function<void()>& attempt, bool unprivileged = false) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return "child failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_ends[0]);
    if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(3);
    std::string description = "no error";
    try {
      attempt();
    } catch (const AppError& error) {
      description = error.what();
    }
    const ssize_t written = ::write(pipe_ends[1], description.data(), description.size());
    ::_exit(written == static_cast<ssize_t>(description.size()) ? 0 : 4);
  }
  ::close(pipe_ends[1]);
  std::string description;
  char buffer[256];
  ssize_t got;
  while ((got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0)
    description.append(buffer, static_cast<std::size_t>(got));
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? description : "child failed";
}

}  // namespace quorvane::testing
