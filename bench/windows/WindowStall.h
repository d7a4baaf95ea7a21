#pragma once

namespace quorvane::bench {

// The longest a 10 ms timer on the window's thread fires late while "Log Current
// Status Now (Test)" is clicked and the tool takes 3 s to answer.
void LogNowWhileTheToolTakesThreeSeconds();
// The reference: the same sample taken on the window's thread.
void SameSampleBlockingTheWindow();

}  // namespace quorvane::bench
