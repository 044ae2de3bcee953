#pragma once
// Profile (INI) files, read the way the game's configuration reader expects: sections and keys
// compared without regard to case, enumeration of section names and of a section's keys.
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Profile {
 public:
  // False when the file cannot be read; the profile is then empty.
  bool load(const std::string& game_path);
  // Parses text already in memory (also what the fuzz target drives).
  void parse(const char* data, std::size_t size);

  std::vector<std::string> section_names() const;
  std::vector<std::string> key_names(const std::string& section) const;
  std::optional<std::string> value(const std::string& section, const std::string& key) const;

 private:
  struct Entry {
    std::string key, value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  std::vector<Section> sections_;
};

}  // namespace platform
