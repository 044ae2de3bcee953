#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/drives.h"

namespace platform {
namespace {

thread_local int thread_error = 0;

// Keeps errno as the thread's last error and answers false, for the failure paths.
bool note_error(int code) {
  thread_error = code;
  return false;
}

bool is_big5_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool is_separator(char c) { return c == '\\' || c == '/'; }
char fold(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Splits a path into components at '\' and '/', never at the byte after a Big5 lead byte.
std::vector<std::string_view> split_components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0, i = 0;
  while (i < path.size()) {
    if (is_big5_lead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      i += 2;
    } else if (is_separator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  if (i > start) parts.push_back(path.substr(start, i - start));
  return parts;
}

// Equal up to ASCII case; both bytes of a Big5 character must match exactly.
bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (is_big5_lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (fold(a[i]) != fold(b[i])) {
      return false;
    }
  }
  return true;
}

std::string join(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string out = folder;
  if (out.back() != '/') out += '/';
  out += name;
  return out;
}

// The entry of folder that name stands for: the name itself when it exists, else the
// smallest entry equal to it up to case; empty when there is none.
std::string find_entry(const std::string& folder, std::string_view name) {
  std::string exact = join(folder, name);
  struct stat st {};
  if (::lstat(exact.c_str(), &st) == 0) return std::string(name);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return {};
  std::string best;
  while (dirent* entry = ::readdir(dir)) {
    std::string_view candidate(entry->d_name);
    if (same_name(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  ::closedir(dir);
  return best;
}

int open_flags(File::Mode mode) {
  switch (mode) {
    case File::Mode::Read:
      return O_RDONLY;
    case File::Mode::ReadWrite:
      return O_RDWR;
    case File::Mode::CreateNew:
      return O_RDWR | O_CREAT | O_EXCL;
    case File::Mode::CreateAlways:
      return O_RDWR | O_CREAT | O_TRUNC;
    case File::Mode::OpenAlways:
      return O_RDWR | O_CREAT;
    case File::Mode::Append:
      return O_WRONLY | O_CREAT | O_APPEND;
  }
  return O_RDONLY;
}

bool write_fully(int fd, const void* data, std::size_t size) {
  auto* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return note_error(errno);
    }
    p += n;
    size -= std::size_t(n);
  }
  return true;
}

std::atomic<unsigned> temp_counter{0};

}  // namespace

std::string host_path(std::string_view game_path) {
  std::string resolved;
  std::string_view rest = game_path;
  if (rest.size() >= 2 && rest[1] == ':' &&
      ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
    char letter = rest[0] >= 'a' ? char(rest[0] - 'a' + 'A') : rest[0];
    resolved = drive_mount_point(letter);
    if (resolved.empty()) return {};  // a letter that stands for nothing resolves nowhere
    rest.remove_prefix(2);
  } else if (!rest.empty() && is_separator(rest[0])) {
    resolved = "/";
  }
  bool folder_exists = true;  // while true, components are looked up in the folder so far
  for (std::string_view part : split_components(rest)) {
    if (part == "." || part == ".." || !folder_exists) {
      resolved = join(resolved, part);
      continue;
    }
    std::string entry = find_entry(resolved, part);
    if (entry.empty()) {
      folder_exists = false;
      entry = part;
    }
    resolved = join(resolved, entry);
  }
  if (resolved.empty() && !game_path.empty()) resolved.push_back('.');
  return resolved;
}

bool file_exists(std::string_view game_path) {
  File f;
  return f.open(game_path, File::Mode::Read);
}

bool folder_exists(std::string_view game_path) {
  struct stat st {};
  std::string path = host_path(game_path);
  if (::stat(path.c_str(), &st) != 0) return note_error(errno);
  return S_ISDIR(st.st_mode);
}

bool delete_file(std::string_view game_path) {
  std::string path = host_path(game_path);
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  return note_error(errno);
}

bool create_folder(std::string_view game_path) {
  std::string path = host_path(game_path);
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  int code = errno;
  struct stat st {};
  if (code == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
  return note_error(code);
}

std::string current_dir() {
  std::vector<char> buf(4096);
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE || buf.size() > (1u << 20)) {
      note_error(errno);
      return {};
    }
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

int last_error_code() { return thread_error; }

std::string error_text(int code) {
  char buf[256];
  // The GNU strerror_r returns the text, which may or may not be in buf.
  return ::strerror_r(code, buf, sizeof buf);
}

bool read_whole_file(std::string_view game_path, std::vector<std::uint8_t>& out, std::size_t max_bytes) {
  out.clear();
  File f;
  if (!f.open(game_path, File::Mode::Read)) return false;
  long long size = f.size();
  if (size < 0) return false;
  if (std::uint64_t(size) > max_bytes) return note_error(EFBIG);
  out.resize(std::size_t(size));
  long long got = f.read(out.data(), out.size());
  if (got < 0) {
    out.clear();
    return false;
  }
  out.resize(std::size_t(got));  // a file that shrank meanwhile gives what it still has
  return true;
}

bool write_file_atomic(std::string_view game_path, const void* data, std::size_t size) {
  std::string target = host_path(game_path);
  if (target.empty()) return note_error(ENOENT);
  std::size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = join(slash == std::string::npos ? "" : folder,
                "." + base + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(temp_counter++));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return note_error(errno);
  }
  if (fd < 0) return note_error(EEXIST);
  // A file that replaces another keeps the other's permissions.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  bool ok = write_fully(fd, data, size) && (::fsync(fd) == 0 || note_error(errno));
  if (::close(fd) != 0 && ok) ok = note_error(errno);
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = note_error(errno);
  if (!ok) {
    int code = thread_error;
    ::unlink(temp.c_str());
    return note_error(code);
  }
  // The rename itself is made lasting by flushing the folder.
  int dir_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

File::~File() { close(); }

File::File(File&& other) noexcept
    : fd_(other.fd_), last_error_code_(other.last_error_code_), last_error_(std::move(other.last_error_)) {
  other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    last_error_code_ = other.last_error_code_;
    last_error_ = std::move(other.last_error_);
    other.fd_ = -1;
  }
  return *this;
}

bool File::fail(int code) {
  last_error_code_ = code;
  last_error_ = error_text(code);
  return note_error(code);
}

bool File::open(std::string_view game_path, Mode mode) {
  close();
  std::string path = host_path(game_path);
  if (path.empty()) return fail(ENOENT);
  // Non-blocking only while opening, so that a named pipe cannot hold the game up.
  int fd = ::open(path.c_str(), open_flags(mode) | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return fail(errno);
  struct stat st {};
  int code = 0;
  if (::fstat(fd, &st) != 0)
    code = errno;
  else if (S_ISDIR(st.st_mode))
    code = EISDIR;
  else if (!S_ISREG(st.st_mode))
    code = EINVAL;
  else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
    code = errno;
  if (code != 0) {
    ::close(fd);
    return fail(code);
  }
  fd_ = fd;
  return true;
}

bool File::close() {
  if (fd_ < 0) return true;
  int fd = fd_;
  fd_ = -1;
  // Linux releases the descriptor even when close reports an error.
  if (::close(fd) != 0) return fail(errno);
  return true;
}

long long File::read(void* buf, std::size_t len) {
  if (fd_ < 0) {
    fail(EBADF);
    return -1;
  }
  auto* p = static_cast<char*>(buf);
  std::size_t done = 0;
  while (done < len) {
    ssize_t n = ::read(fd_, p + done, len - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      {
        fail(errno);
        return -1;
      }
    }
    if (n == 0) break;
    done += std::size_t(n);
  }
  return static_cast<long long>(done);
}

long long File::write(const void* buf, std::size_t len) {
  if (fd_ < 0) {
    fail(EBADF);
    return -1;
  }
  auto* p = static_cast<const char*>(buf);
  std::size_t done = 0;
  while (done < len) {
    ssize_t n = ::write(fd_, p + done, len - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
      return done > 0 ? static_cast<long long>(done) : -1;
    }
    done += std::size_t(n);
  }
  return static_cast<long long>(done);
}

long long File::seek(long long distance, int whence) {
  if (fd_ < 0) {
    fail(EBADF);
    return -1;
  }
  int how = whence == 1 ? SEEK_CUR : whence == 2 ? SEEK_END : SEEK_SET;
  if (whence < 0 || whence > 2) {
    fail(EINVAL);
    return -1;
  }
  off_t pos = ::lseek(fd_, off_t(distance), how);
  if (pos < 0) {
    fail(errno);
    return -1;
  }
  return pos;
}

long long File::size() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
    note_error(fd_ < 0 ? EBADF : errno);
    return -1;
  }
  return st.st_size;
}

bool File::truncate_here() {
  if (fd_ < 0) return fail(EBADF);
  off_t pos = ::lseek(fd_, 0, SEEK_CUR);
  if (pos < 0 || ::ftruncate(fd_, pos) != 0) return fail(errno);
  return true;
}

bool File::flush() {
  if (fd_ < 0) return fail(EBADF);
  if (::fsync(fd_) != 0) return fail(errno);
  return true;
}

}  // namespace platform
