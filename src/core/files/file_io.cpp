#include "files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

namespace talvirex {

namespace {

IoError FromErrno(int code) { return IoError{code, std::strerror(code)}; }

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  std::random_device seed;
  auto name = path.filename();
  name += ".tmp" + std::to_string(seed() % 1000000u);
  return path.parent_path() / name;
}

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

std::optional<IoError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const auto temporary = TemporaryBeside(path);
  errno = 0;
  std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
  if (file == nullptr) return FromErrno(errno != 0 ? errno : EACCES);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0;
  const int write_errno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::remove(temporary.string().c_str());
    return FromErrno(write_errno != 0 ? write_errno : EIO);
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return IoError{ec.value(), ec.message()};
  }
  return std::nullopt;
}

std::string ReadTextOrEmpty(const std::filesystem::path& path) {
  auto result = ReadWholeFile(path, 16u << 20);
  return result.bytes ? std::move(*result.bytes) : std::string{};
}

}  // namespace talvirex
