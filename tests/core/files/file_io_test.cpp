// Safe saves on a disk that fails: a full disk, a folder that cannot be written, a process killed
// half-way. Whatever happens, the target holds the previous content or the new one, whole.

#include "files/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "ports/file_system.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// Fails one kind of call with `error`, as the disk or the folder would.
class FailingFileSystem : public SystemFileSystem {
 public:
  enum class Call { kCreate, kWrite, kFsync, kClose, kRename };
  FailingFileSystem(Call call, int error) : call_(call), error_(error) {}

  int Open(const char* path, int flags, unsigned mode) override {
    if (call_ == Call::kCreate && (flags & O_CREAT) != 0) return Fail();
    return SystemFileSystem::Open(path, flags, mode);
  }
  long Write(int fd, const void* data, std::size_t size) override {
    // A full disk takes part of the data first.
    if (call_ == Call::kWrite && written_++ > 0) return Fail();
    return SystemFileSystem::Write(fd, data, size > 1 ? size / 2 : size);
  }
  int Fsync(int fd) override {
    return call_ == Call::kFsync ? Fail() : SystemFileSystem::Fsync(fd);
  }
  int Close(int fd) override {
    const int closed = SystemFileSystem::Close(fd);
    return call_ == Call::kClose ? Fail() : closed;
  }
  int Rename(const char* from, const char* to) override {
    return call_ == Call::kRename ? Fail() : SystemFileSystem::Rename(from, to);
  }

 private:
  int Fail() const {
    errno = error_;
    return -1;
  }
  Call call_;
  int error_;
  int written_ = 0;
};

TEST(WriteFileAtomically, AFailingDiskOrFolderLeavesThePreviousFileAndNoTemporaryOne) {
  using Call = FailingFileSystem::Call;
  const struct {
    Call call;
    int error;
  } cases[] = {
      {Call::kCreate, EACCES},  // a folder the user may not write into
      {Call::kWrite, ENOSPC},   // the disk fills up during the write
      {Call::kFsync, ENOSPC},   // or only when the data is flushed
      {Call::kClose, EIO},
      {Call::kRename, EACCES},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.call));
    const TempDir dir;
    WriteBytes(dir / "bank.s2c", "previous");
    FailingFileSystem files(c.call, c.error);
    const auto failure = WriteFileAtomically(dir / "bank.s2c", std::string(5000, 'n'), files);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code, c.error);
    EXPECT_EQ(ReadBytes(dir / "bank.s2c"), "previous");
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"bank.s2c"});
  }
}

// Records which descriptor each flush was for, and where the rename came.
class RecordingFileSystem : public SystemFileSystem {
 public:
  int Open(const char* path, int flags, unsigned mode) override {
    const int fd = SystemFileSystem::Open(path, flags, mode);
    (((flags & O_DIRECTORY) != 0) ? folder_fds_ : file_fds_).push_back(fd);
    return fd;
  }
  int Fsync(int fd) override {
    const bool folder = std::find(folder_fds_.begin(), folder_fds_.end(), fd) != folder_fds_.end();
    log.push_back(folder ? "flush folder" : "flush file");
    return SystemFileSystem::Fsync(fd);
  }
  int Rename(const char* from, const char* to) override {
    log.push_back("rename");
    return SystemFileSystem::Rename(from, to);
  }
  std::vector<std::string> log;

 private:
  std::vector<int> file_fds_, folder_fds_;
};

TEST(WriteFileAtomically, FlushesTheFileAndItsFolderBeforeTheRenameAndTheFolderAfter) {
  const TempDir dir;
  RecordingFileSystem files;
  ASSERT_FALSE(WriteFileAtomically(dir / "bank.s2c", "new", files).has_value());
  EXPECT_EQ(files.log,
            (std::vector<std::string>{"flush file", "flush folder", "rename", "flush folder"}));
  EXPECT_EQ(ReadBytes(dir / "bank.s2c"), "new");
}

TEST(WriteFileAtomically, WritesThroughALinkAndKeepsTheFilesPermissions) {
  const TempDir dir;
  std::filesystem::create_directories(dir / "real");
  WriteBytes(dir / "real" / "bank.s2c", "previous");
  ASSERT_EQ(::chmod((dir / "real" / "bank.s2c").c_str(), 0640), 0);
  std::filesystem::create_symlink("real/bank.s2c", dir / "bank.s2c");
  std::filesystem::create_symlink(dir / "bank.s2c", dir / "chain.s2c");

  ASSERT_FALSE(WriteFileAtomically(dir / "chain.s2c", "new").has_value());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "chain.s2c"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "bank.s2c"));
  EXPECT_EQ(ReadBytes(dir / "real" / "bank.s2c"), "new");
  struct stat written {};
  ASSERT_EQ(::stat((dir / "real" / "bank.s2c").c_str(), &written), 0);
  EXPECT_EQ(written.st_mode & 07777, 0640u);
  EXPECT_EQ(NamesIn(dir / "real"), std::vector<std::string>{"bank.s2c"});
}

// Tells the parent through `signal_fd` when the save reaches `stop`, then waits to be killed.
class StoppingFileSystem : public SystemFileSystem {
 public:
  enum class Stop { kHalfWritten, kFlushed, kRenamed };
  StoppingFileSystem(Stop stop, int signal_fd) : stop_(stop), signal_fd_(signal_fd) {}

  long Write(int fd, const void* data, std::size_t size) override {
    if (stop_ != Stop::kHalfWritten) return SystemFileSystem::Write(fd, data, size);
    const long written = SystemFileSystem::Write(fd, data, size / 2);
    StopHere();
    return written;
  }
  int Fsync(int fd) override {
    const int synced = SystemFileSystem::Fsync(fd);
    if (stop_ == Stop::kFlushed) StopHere();
    return synced;
  }
  int Rename(const char* from, const char* to) override {
    const int renamed = SystemFileSystem::Rename(from, to);
    if (stop_ == Stop::kRenamed) StopHere();
    return renamed;
  }

 private:
  void StopHere() const {
    const char reached = 1;
    if (::write(signal_fd_, &reached, 1) != 1) ::_exit(2);
    for (;;) ::pause();
  }
  Stop stop_;
  int signal_fd_;
};

TEST(WriteFileAtomically, AProcessKilledDuringASaveLeavesTheOldFileOrTheNewOneWhole) {
  using Stop = StoppingFileSystem::Stop;
  const std::string previous(256 << 10, 'p');
  const std::string next(2 << 20, 'n');
  const struct {
    Stop stop;
    const std::string& expected;
  } cases[] = {
      {Stop::kHalfWritten, previous},
      {Stop::kFlushed, previous},
      {Stop::kRenamed, next},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.stop));
    const TempDir dir;
    WriteBytes(dir / "bank.s2c", previous);
    int reached[2];
    ASSERT_EQ(::pipe(reached), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(reached[0]);
      StoppingFileSystem files(c.stop, reached[1]);
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
    EXPECT_TRUE(ReadBytes(dir / "bank.s2c") == c.expected);
  }
}

}  // namespace
}  // namespace talvirex
