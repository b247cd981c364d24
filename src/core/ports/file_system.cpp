// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace talvirex {

int SystemFileSystem::Open(const char* path, int flags, unsigned mode) {
  return ::open(path, flags, static_cast<mode_t>(mode));
}

long SystemFileSystem::Write(int fd, const void* data, std::size_t size) {
  return static_cast<long>(::write(fd, data, size));
}

int SystemFileSystem::Fchmod(int fd, unsigned mode) {
  return ::fchmod(fd, static_cast<mode_t>(mode));
}

int SystemFileSystem::Fsync(int fd) { return ::fsync(fd); }

int SystemFileSystem::Close(int fd) { return ::close(fd); }

int SystemFileSystem::Rename(const char* from, const char* to) { return std::rename(from, to); }

int SystemFileSystem::Unlink(const char* path) { return ::unlink(path); }

}  // namespace talvirex
