#pragma once

#include <chrono>
#include <filesystem>

namespace quorvane::bench {

// The longest a 10 ms timer on the window's thread fires late while "Log Current
// Status Now (Test)" is clicked and the tool takes 3 s to answer.
void LogNowWhileTheToolTakesThreeSeconds();
// The same while another program holds the log without sharing until half a
// second after the reading ends.
void LogNowWhileAnotherProgramHoldsTheLog();
// That other program: holds `file` open without sharing for `duration`.
void HoldFile(const std::filesystem::path& file, std::chrono::milliseconds duration);
// The reference: the same sample taken on the window's thread.
void SameSampleBlockingTheWindow();

}  // namespace quorvane::bench
