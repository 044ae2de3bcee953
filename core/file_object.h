#pragma once
// A file kept open for reading or writing at positions of the caller's choice: the animation
// archives and the sound bank read through it, the screenshot writer writes through it.
// The interface keeps the creation-disposition and access words its callers pass; readers
// (no write access asked) open existing files only, and no attribute is ever changed.
#include <cstdint>
#include <string>

#include "platform/files.h"

// Creation dispositions.
constexpr int CREATE_NEW = 1;
constexpr int CREATE_ALWAYS = 2;
constexpr int OPEN_EXISTING = 3;
constexpr int OPEN_ALWAYS = 4;
constexpr int TRUNCATE_EXISTING = 5;
// Access words.
constexpr std::uint32_t GENERIC_READ = 0x80000000u;
constexpr std::uint32_t GENERIC_WRITE = 0x40000000u;
// Move methods of seek.
constexpr int FILE_BEGIN = 0;
constexpr int FILE_CURRENT = 1;
constexpr int FILE_END = 2;

class file_object {
 public:
  file_object();
  ~file_object();
  file_object(const file_object&) = delete;
  file_object& operator=(const file_object&) = delete;

  // 1 when the file is open; an object already open closes its earlier file first.
  int open(const char* name, int creation_disposition, std::uint32_t desired_access);
  int close();
  // *len bytes in, *len bytes done out (0 at the end of the file).
  int read(void* buf, int* len);
  int write(const void* buf, int* len);
  // The low 32 bits of the new position, 0xFFFFFFFF when refused, 0 with no file open.
  std::uint32_t seek(int move_method, int distance);
  int seek_to(int pos);
  int tell(int* pos);
  int write_all(const void* buf, int n);
  int write_u32(std::uint32_t value);
  int set_eof();
  void set_error_text(int code);

  bool is_open() const { return file_.is_open(); }
  const char* name() const { return name_.c_str(); }
  const char* error_text() const { return error_text_; }

 private:
  int fail(int code);

  platform::File file_;
  std::string name_;
  char error_text_[64] = {};
};
