#include "core/disc.h"

#include <cstring>

#include "core/paths.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"

char cd_drive_letter;

namespace {

// The word the marker file must begin with; nothing in the game depends on its value.
const char marker_word[] = "!#$%&*+?";
constexpr std::size_t max_word = 127;

const char error_list_caption[] =
    "Windows \xBF\xF9\xBB\x7E\xB0\x54\xAE\xA7\xA6\x43\xAA\xED";  // "Windows 錯誤訊息列表"

bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

char find_cd_drive(const std::string& label) { return platform::find_cd_drive(label); }

int file_exists(const std::string& name) { return platform::file_exists(name) ? 1 : 0; }

void show_windows_error() {
  std::string text = platform::utf8_to_big5(platform::error_text(platform::last_error_code()));
  platform::message_box(nullptr, text, error_list_caption, platform::BoxButtons::Ok,
                        platform::BoxIcon::Information);
}

int check_marker_file(const std::string& name) {
  std::string path = game_dir;
  if (!append_path(path, name)) return 0;
  platform::File file;  // closed on every way out
  if (!file.open(path, platform::File::Mode::Read)) return 0;
  // The first whitespace-delimited word, at most 127 bytes of it.
  char buf[512];
  std::string word;
  bool started = false, ended = false;
  long long got;
  while (!ended && word.size() < max_word && (got = file.read(buf, sizeof buf)) > 0) {
    for (long long i = 0; i < got && word.size() < max_word; ++i) {
      if (is_blank(buf[i])) {
        if (started) {
          ended = true;
          break;
        }
      } else {
        started = true;
        word += buf[i];
      }
    }
  }
  return word == marker_word ? 1 : 0;
}

void marker_hook() {}
