#pragma once
// Drives. The game looks for its disc by volume label and then builds paths on the drive's
// letter; here a mounted volume with that label gets a letter, and paths on the letter resolve
// under its mount point.
#include <string>

namespace platform {

// The letter ('C'..'Z') now standing for the mounted volume whose label is exactly label, or 0.
char find_cd_drive(const std::string& label);

// The mount point a drive letter stands for ("" when none); used by host_path.
std::string drive_mount_point(char letter);
// Tests: make a letter stand for a folder, or a label for a folder.
void map_drive(char letter, const std::string& folder);
void fake_volume(const std::string& label, const std::string& folder);
void clear_drive_mappings();
// Tests: read volume labels from another folder of label links and mounts from another file
// (by default /dev/disk/by-label and /proc/self/mounts).
void set_volume_sources(const std::string& by_label_folder, const std::string& mounts_file);

}  // namespace platform
