#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The per-user store of named text values, kept under the maker's name
// ("Brindlewick") and the product's section ("Quorvane").
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nothing when the key was never stored.
  virtual std::optional<std::string> Get(std::string_view key) const = 0;
  // Stores the text at once. Throws AppError when the store cannot be written.
  virtual void Save(std::string_view key, std::string_view value) = 0;
  // Where a store that could not be read at start was set aside, to tell the user;
  // empty when the store was read.
  virtual std::string UnreadableBackup() const { return {}; }
};

}  // namespace quorvane
