#pragma once
// A game folder for the model, world and animation tests: a fresh current directory with a
// MODEL folder that the model cache and the g3d model path point at, and writers for the
// six model indexes, PLY files and WLD files.
#include <map>
#include <string>
#include <vector>

#include "g3d/model_cache.h"
#include "g3d/texture_file_cache.h"
#include "platform/message_box.h"
#include "tests/fixtures/ply_model_kit.h"
#include "tests/fixtures/temp_folder.h"

namespace test_support {

using Bytes = std::vector<std::uint8_t>;

inline const char* const kModelIndexNames[6] = {"all_char.idx", "all_item.idx",  "all_magic.idx",
                                                "all_sys.idx",  "all_map.idx",   "all_other.idx"};
inline const char* const kModelPrefixes[6] = {"CH", "IT", "MG", "SY", "MP", "OT"};

class ModelFolder {
 public:
  ModelFolder() : dir_(true) {
    model_ = (dir_.path() / "MODEL").string();
    g3d_set_model_path(model_.c_str());
    SetPolyPath(model_.c_str());
    platform::clear_recorded_boxes();
  }
  ~ModelFolder() {
    FreePolyMemory(255);
    FreeMapMemory();
  }

  // The six indexes; world entries of each group by entry (file numbers).
  void write_indexes(const std::string& char_header = "MODEL INDEX",
                     const std::map<int, std::map<int, std::uint32_t>>& worlds = {}) {
    for (int g = 0; g < 6; ++g) {
      auto it = worlds.find(g);
      write("MODEL/" + std::string(kModelIndexNames[g]),
            kit::model_index(g == 0 ? char_header : "MODEL INDEX", "WLD", kModelPrefixes[g],
                             it == worlds.end() ? std::map<int, std::uint32_t>{} : it->second));
    }
  }
  // The PLY file of a model id: its group's prefix and entry.
  std::string ply_path(int id) const {
    char name[32];
    std::snprintf(name, sizeof name, "MODEL/%s%05d.PLY", kModelPrefixes[id / 3000], id % 3000);
    return name;
  }
  void write_model(int id, const Bytes& file) { write(ply_path(id), file); }
  // The world file of a group and file number (prefix, five digits, ".WLD").
  void write_world(int group, std::uint32_t number, const Bytes& file) {
    char name[32];
    std::snprintf(name, sizeof name, "MODEL/%s%05u.WLD", kModelPrefixes[group], number);
    write(name, file);
  }
  void write(const std::string& relative, const Bytes& bytes) const {
    dir_.write(relative, std::string(bytes.begin(), bytes.end()));
  }
  std::string debug_log() const { return dir_.read("debug.txt"); }
  const std::string& model_dir() const { return model_; }
  const fixtures::TempFolder& dir() const { return dir_; }

 private:
  fixtures::TempFolder dir_;
  std::string model_;
};

inline std::vector<std::string> box_texts() {
  std::vector<std::string> texts;
  for (const auto& box : platform::recorded_boxes()) texts.push_back(box.text);
  return texts;
}

inline int count_of(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace test_support
