#include "platform/ProcessToolRunner.h"

#include <unistd.h>
#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <csignal>

#include "platform/Files.h"

namespace quorvane {
namespace {

constexpr int kGraceAfterTerminateMs = 1000;

// The tool runs in a process group of its own, so ending it ends whatever it
// started as well.
void Signal(qint64 tool, int signal) {
  if (tool > 0) ::kill(-static_cast<pid_t>(tool), signal);
}

void Stop(QProcess& process) {
  const qint64 tool = process.processId();
  Signal(tool, SIGTERM);
  if (!process.waitForFinished(kGraceAfterTerminateMs)) {
    Signal(tool, SIGKILL);
    process.waitForFinished(kGraceAfterTerminateMs);
  }
}

}  // namespace

ToolResult ProcessToolRunner::RunToFile(const ToolCommand& command,
                                        const std::filesystem::path& output_file,
                                        std::chrono::milliseconds limit) {
  QStringList arguments;
  for (const auto& argument : command.arguments) arguments << QString::fromStdString(argument);

  QProcess process;
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.setChildProcessModifier([] { ::setpgid(0, 0); });
  process.start(QString::fromStdString(command.program), arguments, QIODevice::ReadOnly);
  if (!process.waitForStarted(static_cast<int>(limit.count()))) {
    const bool timed_out = process.error() == QProcess::Timedout;
    if (timed_out) Stop(process);
    // Like a shell redirection, a tool that never ran leaves an empty output file.
    if (!timed_out) ReplaceFileContents(output_file, "");
    return {timed_out ? ToolOutcome::kTimedOut : ToolOutcome::kFailedToStart, 0};
  }
  SetRunning(process.processId());
  const bool finished = process.waitForFinished(static_cast<int>(limit.count()));
  SetRunning(0);
  if (!finished) {
    Stop(process);
    return {ToolOutcome::kTimedOut, 0};
  }
  const QByteArray output = process.readAllStandardOutput();
  ReplaceFileContents(output_file, std::string_view(output.constData(), output.size()));
  if (process.exitStatus() == QProcess::CrashExit) return {ToolOutcome::kCrashed, 0};
  return {ToolOutcome::kExited, process.exitCode()};
}

void ProcessToolRunner::SetRunning(std::intptr_t tool) {
  std::lock_guard lock(mutex_);
  running_ = tool;
  if (tool != 0 && stopping_) Signal(tool, SIGKILL);
}

void ProcessToolRunner::StopRunningTool() {
  std::lock_guard lock(mutex_);
  stopping_ = true;  // a tool starting after this is ended as soon as it runs
  if (running_ != 0) Signal(running_, SIGKILL);
}

}  // namespace quorvane
