#include "core/file_object.h"

#include <cerrno>
#include <cstring>

namespace {

using Mode = platform::File::Mode;

// The file mode a creation disposition asks for. Readers (no write access) open existing
// files only, whatever disposition they pass.
bool mode_for(int creation_disposition, std::uint32_t desired_access, Mode& mode) {
  if ((desired_access & GENERIC_WRITE) == 0) {
    mode = Mode::Read;
    return true;
  }
  switch (creation_disposition) {
    case CREATE_NEW:
      mode = Mode::CreateNew;
      return true;
    case CREATE_ALWAYS:
      mode = Mode::CreateAlways;
      return true;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING:
      mode = Mode::ReadWrite;
      return true;
    case OPEN_ALWAYS:
      mode = Mode::OpenAlways;
      return true;
    default:
      return false;
  }
}

}  // namespace

file_object::file_object() = default;

file_object::~file_object() { close(); }

int file_object::fail(int code) {
  set_error_text(code);
  return 0;
}

int file_object::open(const char* name, int creation_disposition, std::uint32_t desired_access) {
  file_.close();
  Mode mode;
  if (!name || !mode_for(creation_disposition, desired_access, mode)) return fail(EINVAL);
  if (!file_.open(name, mode)) return fail(file_.last_error_code());
  if (creation_disposition == TRUNCATE_EXISTING && mode == Mode::ReadWrite && !file_.truncate_here()) {
    int code = file_.last_error_code();
    file_.close();
    return fail(code);
  }
  name_ = name;
  return 1;
}

int file_object::close() {
  if (!file_.is_open()) return 1;
  if (!file_.close()) return fail(file_.last_error_code());
  name_.clear();
  error_text_[0] = '\0';
  return 1;
}

int file_object::read(void* buf, int* len) {
  if (!len) return fail(EINVAL);
  if (!file_.is_open()) return fail(EBADF);
  if (!buf || *len <= 0) return fail(EINVAL);
  long long got = file_.read(buf, std::size_t(*len));
  if (got < 0) {
    *len = 0;
    return fail(file_.last_error_code());
  }
  *len = int(got);
  return 1;
}

int file_object::write(const void* buf, int* len) {
  if (!len) return fail(EINVAL);
  if (!file_.is_open()) return fail(EBADF);
  if (!buf || *len <= 0) return fail(EINVAL);
  long long done = file_.write(buf, std::size_t(*len));
  if (done < 0) {
    *len = 0;
    return fail(file_.last_error_code());
  }
  *len = int(done);
  return 1;
}

std::uint32_t file_object::seek(int move_method, int distance) {
  if (!file_.is_open()) return std::uint32_t(fail(EBADF));
  long long pos = file_.seek(distance, move_method);
  if (pos < 0) {
    fail(file_.last_error_code());
    return 0xFFFFFFFFu;
  }
  return std::uint32_t(pos);
}

int file_object::seek_to(int pos) { return int(seek(FILE_BEGIN, pos) + 1u); }

int file_object::tell(int* pos) {
  if (!file_.is_open()) return fail(EBADF);
  long long at = file_.seek(0, FILE_CURRENT);
  if (at < 0) return fail(file_.last_error_code());
  if (pos) *pos = int(std::uint32_t(at));
  return 1;
}

int file_object::write_all(const void* buf, int n) {
  int len = n;
  if (!write(buf, &len)) return 0;
  if (len != n) return fail(file_.last_error_code() ? file_.last_error_code() : EIO);
  return 1;
}

int file_object::write_u32(std::uint32_t value) {
  const std::uint8_t bytes[4] = {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                                 std::uint8_t(value >> 24)};
  return write_all(bytes, 4);
}

int file_object::set_eof() {
  if (!file_.is_open()) return fail(EBADF);
  if (!file_.truncate_here()) return fail(file_.last_error_code());
  return 1;
}

void file_object::set_error_text(int code) {
  std::string text = platform::error_text(code);
  std::size_t n = text.size() < sizeof error_text_ ? text.size() : sizeof error_text_ - 1;
  std::memcpy(error_text_, text.data(), n);
  error_text_[n] = '\0';
}
