#include "platform/profile.h"

#include <string_view>

#include "platform/files.h"

namespace platform {
namespace {

// ASCII case folded; the byte after a Big5 lead byte is left alone.
std::string folded(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (c >= 0x81 && c <= 0xFE)
      ++i;
    else if (c >= 'A' && c <= 'Z')
      out[i] = char(c - 'A' + 'a');
  }
  return out;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view unquoted(std::string_view s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    return s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

bool Profile::load(const std::string& game_path) {
  sections_.clear();
  section_index_.clear();
  std::vector<std::uint8_t> bytes;
  if (!read_whole_file(game_path, bytes, max_file_bytes)) return false;
  parse(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return true;
}

void Profile::parse(const char* data, std::size_t size) {
  sections_.clear();
  section_index_.clear();
  std::string_view text(data, size);
  Section* current = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::size_t close = line.rfind(']');
      if (close == std::string_view::npos) {
        current = nullptr;  // keys under a broken header belong to no section
        continue;
      }
      std::string_view name = trimmed(line.substr(1, close - 1));
      auto [it, added] = section_index_.try_emplace(folded(name), sections_.size());
      if (added) sections_.push_back(Section{std::string(name), {}, {}});
      current = &sections_[it->second];
      continue;
    }
    if (!current) continue;
    std::size_t eq = line.find('=');
    std::string_view key = trimmed(line.substr(0, eq));
    std::string_view value = eq == std::string_view::npos ? std::string_view() : trimmed(line.substr(eq + 1));
    if (key.empty()) continue;
    auto [it, added] = current->key_index.try_emplace(folded(key), current->entries.size());
    if (added) current->entries.push_back(Entry{std::string(key), std::string(unquoted(value))});
  }
}

const Profile::Section* Profile::find_section(const std::string& name) const {
  auto it = section_index_.find(folded(name));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

std::vector<std::string> Profile::section_names() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> Profile::key_names(const std::string& section) const {
  std::vector<std::string> names;
  if (const Section* s = find_section(section))
    for (const Entry& e : s->entries) names.push_back(e.key);
  return names;
}

std::optional<std::string> Profile::value(const std::string& section, const std::string& key) const {
  const Section* s = find_section(section);
  if (!s) return std::nullopt;
  auto it = s->key_index.find(folded(key));
  if (it == s->key_index.end()) return std::nullopt;
  return s->entries[it->second].value;
}

}  // namespace platform
