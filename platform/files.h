#pragma once
// Files on the host. The game builds Windows-style paths (backslashes, drive letters); every
// function here takes such a path and resolves it on the host first (see host_path).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Maps a game path to a host path: '\' and '/' separate components, "X:" maps to the mount
// point registered for that letter (drives.h), and each component is matched against the
// directory's entries without regard to ASCII case. Big5-aware: the byte after a lead byte
// 0x81-0xFE is never a separator and never folded. Components that do not exist are kept as
// written (so a file can be created). A relative path is relative to the current directory.
std::string host_path(std::string_view game_path);

bool file_exists(std::string_view game_path);  // an existing regular file that can be read
bool folder_exists(std::string_view game_path);
bool delete_file(std::string_view game_path);    // true when the file is gone afterwards
bool create_folder(std::string_view game_path);  // true when created or already there
std::string current_dir();                       // the process's current directory (host form)

// The error code (errno) of the last platform call that failed on this thread, like the
// Windows thread error; error_text gives the host's text for a code.
int last_error_code();
std::string error_text(int code);

// Reads a whole file, refusing files larger than max_bytes. False when missing or unreadable.
bool read_whole_file(std::string_view game_path, std::vector<std::uint8_t>& out,
                     std::size_t max_bytes = std::size_t(1) << 30);

// Writes a file safely: a temporary file in the same folder, flushed, then renamed over the
// old one. On any failure the old file is untouched and the result is false.
bool write_file_atomic(std::string_view game_path, const void* data, std::size_t size);

// An open file. Readers open existing files only; nothing here creates a file unless asked
// and nothing changes attributes.
class File {
 public:
  enum class Mode { Read, ReadWrite, CreateNew, CreateAlways, OpenAlways, Append };
  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;

  bool open(std::string_view game_path, Mode mode);
  bool is_open() const { return fd_ >= 0; }
  bool close();
  // Bytes read, len unless the end of the file came first (0 at the end), or -1 on error.
  long long read(void* buf, std::size_t len);
  long long write(const void* buf, std::size_t len);
  // whence: 0 begin, 1 current, 2 end (the Win32 FILE_BEGIN/CURRENT/END numbering).
  long long seek(long long distance, int whence);
  long long size() const;
  bool truncate_here();
  bool flush();
  // The host's text for the last error met (strerror), for error texts of callers, and its code.
  const std::string& last_error() const { return last_error_; }
  int last_error_code() const { return last_error_code_; }

 private:
  bool fail(int code);

  int fd_ = -1;
  int last_error_code_ = 0;
  std::string last_error_;
};

}  // namespace platform
