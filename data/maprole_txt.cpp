#include "data/maprole_txt.h"

#include <cstdio>
#include <string>

#include "core/log.h"
#include "core/paths.h"
#include "data/role_rows.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {
// 角色...............
constexpr const char* title_line = "\xA8\xA4\xA6\xE2...............\n";
constexpr const char* column_line =
    ";  \t\t  MapID   RoleID    flagEx   ACT    QQ    DIR      X       Y       Z         TALK     AI     STATE\n";
// 無法建立 XXX.txt 檔案
constexpr const char* cannot_create_message = "\xB5L\xAAk\xAB\xD8\xA5\xDF XXX.txt \xC0\xC9\xAE\xD7";
// 錯誤

std::string row_line(const MapsRoleRow& row) {
  char line[256];
  int n = std::snprintf(line, sizeof line,
                        "\t         %5d,  %5d,  %5d,  %5d,  %3d,  %3.0f,"
                        "\t%6.0f,  %6.0f,  %6.0f,  %6d,   %6d,  "
                        "%4xh    ;%s\n",
                        row.MapID, row.RoleID, row.flagEx, row.ACT, row.QQ, double(row.DIR), double(row.X),
                        double(row.Y), double(row.Z), row.TALK, row.AI, unsigned(row.STATE), "");
  return std::string(line, n > 0 ? static_cast<std::size_t>(n) : 0);
}
}  // namespace

void write_maprole_txt() {
  std::string text = std::string(title_line) + column_line;
  for_each_maps_role_row([&](std::size_t, const MapsRoleRow& row) {
    text += row_line(row);
    return true;
  });
  std::string path = game_dir;
  if (!append_path(path, "maprole.txt") || !platform::write_file_atomic(path, text.data(), text.size()))
    platform::message_box(nullptr, cannot_create_message, error_caption, platform::BoxButtons::Ok);
}
