#pragma once
// Profile (INI) files, read the way the game's configuration reader expects: sections and keys
// compared without regard to case, enumeration of section names and of a section's keys.
//
// Lines are "[name]", "key=value" and comments starting with ';'; blanks around names and
// values are dropped, and a value in matching quotes loses them. A section or key written
// twice counts once, with its first value. Lines before the first section, under a header
// without its ']', and lines that are none of these are ignored.
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

class Profile {
 public:
  // Files larger than this are refused as not a profile.
  static constexpr std::size_t max_file_bytes = std::size_t(1) << 20;

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
    std::unordered_map<std::string, std::size_t> key_index;  // folded key -> entry
  };
  const Section* find_section(const std::string& name) const;

  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_index_;  // folded name -> section
};

}  // namespace platform
