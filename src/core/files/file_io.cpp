// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "ports/file_system.h"

namespace talvirex {

namespace {

IoError FromErrno(int code) { return IoError{code, std::strerror(code)}; }

IoError LastError() { return FromErrno(errno != 0 ? errno : EIO); }

constexpr int kMostLinksFollowed = 40;  // as the system's own limit on a chain of links

// The file a save of `path` replaces: the end of its chain of symbolic links, so that a link stays
// a link and its target gets the content. A path that does not exist (yet) is its own end.
std::filesystem::path EndOfLinks(std::filesystem::path path, std::error_code& ec) {
  for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
      ec.clear();
      return path;
    }
    const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
    if (ec) return {};
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return {};
}

// The permission bits of the regular file at `target`; none when there is no such file.
std::optional<unsigned> ModeOf(const std::filesystem::path& target) {
  std::error_code ec;
  const auto status = std::filesystem::status(target, ec);
  if (ec || !std::filesystem::is_regular_file(status)) return std::nullopt;
  return static_cast<unsigned>(status.permissions() & std::filesystem::perms::mask);
}

// A file the user keeps from being written: no write bit for anyone, or (for a user other than
// root, whom access() always lets write) none that applies to this user.
bool IsReadOnlyTarget(const std::filesystem::path& target, unsigned mode) {
  constexpr unsigned kAnyWrite = 0222;
  if ((mode & kAnyWrite) == 0) return true;
  return ::access(target.c_str(), W_OK) != 0 && errno == EACCES;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  const auto folder = target.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

bool WriteAll(FileSystem& files, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    errno = 0;
    const long written = files.Write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Flushes the folder's entries (the names in it) to the disk. A file system that cannot flush a
// folder (EINVAL) keeps its names some other way.
bool SyncFolder(FileSystem& files, const std::filesystem::path& folder) {
  const int fd = files.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool synced = files.Fsync(fd) == 0 || errno == EINVAL;
  const int sync_errno = errno;
  files.Close(fd);
  errno = sync_errno;
  return synced;
}

// The temporary file beside the target: created new under a random name, closed and removed on
// every way out unless it became the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(FileSystem& files) : files_(files) {}
  ~TemporaryFile() {
    const int saved_errno = errno;
    if (fd_ >= 0) files_.Close(fd_);
    if (!path_.empty() && !kept_) files_.Unlink(path_.c_str());
    errno = saved_errno;
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Create(const std::filesystem::path& target, unsigned mode) {
    constexpr int kAttempts = 16;
    std::random_device seed;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      auto name = target.filename();
      name += ".tmp" + std::to_string(seed() % 1000000u);
      const auto candidate = target.parent_path() / name;
      errno = 0;
      fd_ = files_.Open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd_ >= 0) {
        path_ = candidate;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }
  // Close reports late write errors (a full disk on some file systems).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return files_.Close(fd) == 0;
  }
  void Keep() { kept_ = true; }
  int fd() const { return fd_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  FileSystem& files_;
  std::filesystem::path path_;
  int fd_ = -1;
  bool kept_ = false;
};

}  // namespace

ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t max_bytes) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return {std::nullopt, FromErrno(EISDIR)};
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, FromErrno(errno != 0 ? errno : ENOENT)};
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > max_bytes) return {std::nullopt, FromErrno(EFBIG)};
  std::string bytes;
  if (!ec) bytes.reserve(size);
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > max_bytes) return {std::nullopt, FromErrno(EFBIG)};
  }
  if (in.bad()) return {std::nullopt, FromErrno(EIO)};
  return {std::move(bytes), {}};
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path target = EndOfLinks(path, ec);
  if (ec) return false;
  const std::optional<unsigned> mode = ModeOf(target);
  return mode && IsReadOnlyTarget(target, *mode);
}

std::optional<IoError> WriteFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes) {
  SystemFileSystem files;
  return WriteFileAtomically(path, bytes, files);
}

std::optional<IoError> WriteFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes, FileSystem& files) {
  std::error_code ec;
  const std::filesystem::path target = EndOfLinks(path, ec);
  if (ec) return IoError{ec.value(), ec.message()};
  const std::optional<unsigned> kept_mode = ModeOf(target);
  if (kept_mode && IsReadOnlyTarget(target, *kept_mode)) {
    return IoError{EACCES, std::string(kReadOnlyReason)};
  }
  const std::filesystem::path folder = FolderOf(target);

  TemporaryFile temporary(files);
  // In place of a file it takes that file's permission bits, private until then; a new file gets
  // the usual bits (0666 less the umask).
  if (!temporary.Create(target, kept_mode ? 0600u : 0666u)) return LastError();
  if (kept_mode && files.Fchmod(temporary.fd(), *kept_mode) != 0) return LastError();
  if (!WriteAll(files, temporary.fd(), bytes)) return LastError();
  if (files.Fsync(temporary.fd()) != 0) return LastError();
  if (!temporary.Close()) return LastError();
  // The temporary file's name must be on the disk before it can stand in for the target.
  if (!SyncFolder(files, folder)) return LastError();
  if (files.Rename(temporary.path().c_str(), target.c_str()) != 0) return LastError();
  temporary.Keep();
  // The new file is in place and whole. A failed flush of the folder now only means that a power
  // cut could bring back the previous file, which is whole too: the save stands.
  SyncFolder(files, folder);
  return std::nullopt;
}

std::string ReadTextOrEmpty(const std::filesystem::path& path) {
  auto result = ReadWholeFile(path, 16u << 20);
  return result.bytes ? std::move(*result.bytes) : std::string{};
}

}  // namespace talvirex
