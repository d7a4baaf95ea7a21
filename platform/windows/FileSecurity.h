#pragma once

#include <filesystem>
#include <vector>

#include "platform/portable/StartupScope.h"

namespace quorvane {

// The owner and access list of `file` and of every folder above it up to the
// root, and whether each is a link, read from the file system; empty when any of
// them cannot be read.
std::vector<ObjectSecurity> SecurityUpToTheRoot(const std::filesystem::path& file);

// Where `program` really lies: its final path once the file system has followed
// every junction, link and mount point, that path's volume type and its
// security. Nothing is known (and so nothing is safe) when it cannot be resolved.
ProgramLocation LocationOf(const std::filesystem::path& program);

}  // namespace quorvane
