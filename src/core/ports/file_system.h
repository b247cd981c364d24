// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system calls a safe save makes. Saves go through this port so that tests can fail any one
// call as a full disk or a read-only folder would, or stop the process at that point.

#include <cstddef>

namespace talvirex {

/// Each call is the POSIX call of the same name: the result it gives, -1 with errno on failure.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual int Open(const char* path, int flags, unsigned mode) = 0;
  virtual long Write(int fd, const void* data, std::size_t size) = 0;
  virtual int Fchmod(int fd, unsigned mode) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Close(int fd) = 0;
  virtual int Rename(const char* from, const char* to) = 0;
  virtual int Unlink(const char* path) = 0;
};

/// The machine's own file system. Not final: a test overrides the one call it makes fail.
class SystemFileSystem : public FileSystem {
 public:
  int Open(const char* path, int flags, unsigned mode) override;
  long Write(int fd, const void* data, std::size_t size) override;
  int Fchmod(int fd, unsigned mode) override;
  int Fsync(int fd) override;
  int Close(int fd) override;
  int Rename(const char* from, const char* to) override;
  int Unlink(const char* path) override;
};

}  // namespace talvirex
