// SPDX-License-Identifier: GPL-3.0-or-later
// Safe saves on a disk that fails: a full disk, a folder that cannot be written, a process killed
// half-way. Whatever happens, the target holds the previous content or the new one, whole.

#include "files/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "ports/file_system.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

enum class Call { kNone, kCreate, kWrite, kWriteNothing, kFsync, kClose, kRename };

// The machine's file system that logs the flushes and the rename, fails one kind of call with
// `error` (a full disk takes part of the data first), or stops the process at one: it tells the
// parent through `signal_fd` and waits to be killed.
class ScriptedFileSystem : public SystemFileSystem {
 public:
  Call fail = Call::kNone, stop = Call::kNone;
  int error = 0, signal_fd = -1;
  std::vector<std::string> log;

  int Open(const char* path, int flags, unsigned mode) override {
    if (fail == Call::kCreate && (flags & O_CREAT) != 0) return Fail();
    const int fd = SystemFileSystem::Open(path, flags, mode);
    if ((flags & O_DIRECTORY) != 0) folder_fd_ = fd;
    return fd;
  }
  long Write(int fd, const void* data, std::size_t size) override {
    if (fail == Call::kWrite && written_++ > 0) return Fail();
    if (fail == Call::kWriteNothing) return Fail() + 1;  // 0 bytes taken, errno set
    const long done = SystemFileSystem::Write(fd, data, size > 1 ? size / 2 : size);
    if (stop == Call::kWrite) StopHere();
    return done;
  }
  int Fsync(int fd) override {
    log.push_back(fd == folder_fd_ ? "flush folder" : "flush file");
    if (fail == Call::kFsync) return Fail();
    const int synced = SystemFileSystem::Fsync(fd);
    if (stop == Call::kFsync) StopHere();
    return synced;
  }
  int Close(int fd) override {
    const int closed = SystemFileSystem::Close(fd);
    return fail == Call::kClose ? Fail() : closed;
  }
  int Rename(const char* from, const char* to) override {
    log.push_back("rename");
    if (fail == Call::kRename) return Fail();
    const int renamed = SystemFileSystem::Rename(from, to);
    if (stop == Call::kRename) StopHere();
    return renamed;
  }
  int Unlink(const char* path) override {
    log.push_back("remove");
    return SystemFileSystem::Unlink(path);
  }

 private:
  int Fail() const {
    errno = error;
    return -1;
  }
  void StopHere() const {
    const char reached = 1;
    if (::write(signal_fd, &reached, 1) != 1) ::_exit(2);
    for (;;) ::pause();
  }
  int folder_fd_ = -1;
  int written_ = 0;
};

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(WriteFileAtomically, FlushesTheFileAndItsFolderAroundTheRenameAndFollowsLinks) {
  const TempDir dir;
  std::filesystem::create_directories(dir / "real");
  WriteBytes(dir / "real" / "bank.s2c", "previous");
  ASSERT_EQ(::chmod((dir / "real" / "bank.s2c").c_str(), 0640), 0);
  std::filesystem::create_symlink("real/bank.s2c", dir / "bank.s2c");
  std::filesystem::create_symlink(dir / "bank.s2c", dir / "chain.s2c");
  ScriptedFileSystem files;
  ASSERT_FALSE(WriteFileAtomically(dir / "chain.s2c", "new", files).has_value());
  EXPECT_EQ(files.log,
            (std::vector<std::string>{"flush file", "flush folder", "rename", "flush folder"}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "chain.s2c") &&
              std::filesystem::is_symlink(dir / "bank.s2c"));
  EXPECT_EQ(ReadBytes(dir / "real" / "bank.s2c"), "new");
  struct stat written {};
  ASSERT_EQ(::stat((dir / "real" / "bank.s2c").c_str(), &written), 0);
  EXPECT_EQ(written.st_mode & 07777, 0640u);  // the file's permissions are kept
  EXPECT_EQ(NamesIn(dir / "real"), std::vector<std::string>{"bank.s2c"});
  EXPECT_EQ(ReadWholeFile(dir / "chain.s2c", 3).bytes, "new");  // a file at the limit is read
  EXPECT_EQ(ReadWholeFile(dir / "chain.s2c", 2).error.code, EFBIG);
}

TEST(WriteFileAtomically, AFailingDiskOrFolderLeavesThePreviousFileAndNoTemporaryOne) {
  const std::pair<Call, int> cases[] = {
      {Call::kCreate, EACCES},  // a folder the user may not write into
      {Call::kWrite, ENOSPC},   // the disk fills up during the write
      {Call::kWriteNothing, ENOSPC}, {Call::kFsync, ENOSPC},  // or only when the data is flushed
      {Call::kClose, EIO},           {Call::kRename, EACCES},
  };
  for (const auto& [call, error] : cases) {
    SCOPED_TRACE(static_cast<int>(call));
    const TempDir dir;
    WriteBytes(dir / "bank.s2c", "previous");
    ScriptedFileSystem files;
    files.fail = call;
    files.error = error;
    const auto failure = WriteFileAtomically(dir / "bank.s2c", std::string(5000, 'n'), files);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code, error);
    EXPECT_EQ(ReadBytes(dir / "bank.s2c"), "previous");
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"bank.s2c"});
  }
}

// A file no one may write is refused untouched, as other editors refuse it, even for root (who may
// write any file): its permission bits decide, through a link as well.
TEST(WriteFileAtomically, AFileWithoutWritePermissionIsRefusedUntouchedEvenForRoot) {
  const std::pair<unsigned, bool> cases[] = {// mode, read-only
                                             {0444, true},
                                             {0555, true},
                                             {0000, true},
                                             {0644, false},
                                             {0200, false}};
  for (const auto& [mode, read_only] : cases) {
    SCOPED_TRACE(mode);
    const TempDir dir;
    WriteBytes(dir / "bank.s2c", "previous");
    std::filesystem::create_symlink("bank.s2c", dir / "link.s2c");
    ASSERT_EQ(::chmod((dir / "bank.s2c").c_str(), mode), 0);
    for (const char* name : {"link.s2c", "bank.s2c"}) {
      ScriptedFileSystem files;
      const auto failure = WriteFileAtomically(dir / name, name, files);
      ASSERT_EQ(failure.has_value(), read_only);
      if (read_only) {
        EXPECT_EQ(failure->reason, "The file is read-only; nothing was written.");
        EXPECT_TRUE(files.log.empty()) << "nothing was even created";
      }
    }
    ASSERT_EQ(::chmod((dir / "bank.s2c").c_str(), 0600), 0);
    EXPECT_EQ(ReadBytes(dir / "bank.s2c"), read_only ? "previous" : "bank.s2c");
    EXPECT_EQ(NamesIn(dir.path()).size(), 2u);  // no temporary file left
  }
}

TEST(WriteFileAtomically, AProcessKilledDuringASaveLeavesTheOldFileOrTheNewOneWhole) {
  const std::string previous(256 << 10, 'p');
  const std::string next(2 << 20, 'n');
  for (const auto& [stop, kept] :
       {std::pair{Call::kWrite, &previous}, {Call::kFsync, &previous}, {Call::kRename, &next}}) {
    SCOPED_TRACE(static_cast<int>(stop));
    const TempDir dir;
    WriteBytes(dir / "bank.s2c", previous);
    int reached[2];
    ASSERT_EQ(::pipe(reached), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(reached[0]);
      ScriptedFileSystem files;
      files.stop = stop;
      files.signal_fd = reached[1];
      WriteFileAtomically(dir / "bank.s2c", next, files);
      ::_exit(1);  // the stop was never reached
    }
    ::close(reached[1]);
    char signal = 0;
    const bool stopped = ::read(reached[0], &signal, 1) == 1;
    ::close(reached[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(ReadBytes(dir / "bank.s2c") == *kept);
  }
}

}  // namespace
}  // namespace talvirex::testing
