#include "platform/drives.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace platform {
namespace {

struct DriveTable {
  std::map<char, std::string> letters;         // letter -> host folder
  std::map<std::string, std::string> volumes;  // label -> folder (tests)
  std::string by_label = "/dev/disk/by-label";
  std::string mounts = "/proc/self/mounts";
};

DriveTable& table() {
  static DriveTable t;
  return t;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// udev writes the bytes of a label that are unsafe in a file name as \xNN.
std::string decode_hex_escapes(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hex_value(s[i + 2]) >= 0 &&
        hex_value(s[i + 3]) >= 0) {
      out += char(hex_value(s[i + 2]) * 16 + hex_value(s[i + 3]));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The mounts table writes space, tab, newline and backslash as \ and three octal digits.
std::string decode_octal_escapes(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3' && s[i + 2] >= '0' &&
        s[i + 2] <= '7' && s[i + 3] >= '0' && s[i + 3] <= '7') {
      out += char((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string real_path(const std::string& path) {
  char buf[PATH_MAX];
  if (!::realpath(path.c_str(), buf)) return {};
  return buf;
}

// The device that the label link of a volume labelled exactly label points to, or "".
std::string device_with_label(const std::string& label) {
  DIR* dir = ::opendir(table().by_label.c_str());
  if (!dir) return {};
  std::string device;
  while (dirent* entry = ::readdir(dir)) {
    if (decode_hex_escapes(entry->d_name) != label) continue;
    device = real_path(table().by_label + "/" + entry->d_name);
    if (!device.empty()) break;
  }
  ::closedir(dir);
  return device;
}

// The first mount point of device, or "".
std::string mount_point_of(const std::string& device) {
  std::ifstream in(table().mounts);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string source, target;
    if (!(fields >> source >> target)) continue;
    source = decode_octal_escapes(source);
    if (source == device || real_path(source) == device) return decode_octal_escapes(target);
  }
  return {};
}

// The letter that stands for folder: the one already given to it, else the first free one
// from D (C stays the system's, as on the original machine).
char letter_for(const std::string& folder) {
  for (auto& [letter, mapped] : table().letters)
    if (mapped == folder) return letter;
  for (char letter = 'D'; letter <= 'Z'; ++letter)
    if (!table().letters.count(letter)) {
      table().letters[letter] = folder;
      return letter;
    }
  return 0;
}

}  // namespace

char find_cd_drive(const std::string& label) {
  auto fake = table().volumes.find(label);
  std::string folder = fake != table().volumes.end() ? fake->second : std::string();
  if (folder.empty()) {
    std::string device = device_with_label(label);
    if (!device.empty()) folder = mount_point_of(device);
  }
  if (folder.empty()) return 0;
  return letter_for(folder);
}

std::string drive_mount_point(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = char(letter - 'a' + 'A');
  auto it = table().letters.find(letter);
  return it == table().letters.end() ? std::string() : it->second;
}

void map_drive(char letter, const std::string& folder) {
  if (letter >= 'a' && letter <= 'z') letter = char(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return;
  table().letters[letter] = folder;
}

void fake_volume(const std::string& label, const std::string& folder) { table().volumes[label] = folder; }

void clear_drive_mappings() {
  table().letters.clear();
  table().volumes.clear();
}

void set_volume_sources(const std::string& by_label_folder, const std::string& mounts_file) {
  table().by_label = by_label_folder;
  table().mounts = mounts_file;
}

}  // namespace platform
