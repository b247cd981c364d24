// The subcommands run as the real binary on real files. Each feeds the core its files and writes
// the core's result: the outputs are golden files, the formats' own rules the core's tests. And
// `talvirex scanner`: its --link name, a Ctrl+C at once, and the options it refuses.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <sys/wait.h>

#include "support/background_process.h"
#include "support/golden.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

const std::string kTable = GoldenPath("table.s2c").string();
const std::string kOdd = GoldenPath("odd.img").string();
const std::string kLists = std::string(TALVIREX_TEST_DATA) + "/lists/";

class Commands : public ::testing::Test {
 protected:
  CommandResult Run(const std::vector<std::string>& args, const std::string& input = {}) {
    return RunCommand(TALVIREX_BINARY, args, home_.path(), input);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // Standard output of a shell command, which must succeed.
  std::string Shell(const std::string& command) {
    const int raw = std::system((command + " >" + ShellQuoted(Path("shell.out"))).c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
    return ReadBytes(dir_ / "shell.out");
  }

  TempDir home_, dir_;
};

// Each command writes to standard output, or with -o to the file and nothing to standard output.
TEST_F(Commands, WriteWhatTheGoldenFilesHold) {
  const struct {
    std::vector<std::string> args;
    const char* golden;
  } cases[] = {
      {{"normalize", kTable}, "table.normalized.s2c"},  // -o is required
      {{"image", kTable, "--base", kOdd}, "table.sent.img"},
      {{"decode", GoldenPath("table.img").string()}, "table.decode.s2c"},
      {{"csv", kTable, "--all"}, "table.csv"},
      {{"harvest",
        (std::filesystem::path(TALVIREX_TEST_DATA) / "harvest" / "airband.csv").string()},
       "airband.harvest.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    std::vector<std::string> args = c.args;
    if (args[0] != "normalize") {
      const auto run = Run(args);
      EXPECT_EQ(run.status, 0) << run.err;
      ExpectGolden(c.golden, run.out);
    }
    args.insert(args.end(), {"-o", Path(c.golden)});
    if (args[0] == "harvest") continue;
    const auto run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    ExpectGolden(c.golden, ReadBytes(Path(c.golden)));
  }
  EXPECT_EQ(Run({"harvest", "-"}, GoldenPath("table.csv").string()).out.substr(0, 17),
            "029.7000\n145.5050");
}

// `import` puts a list from another tool into a channel file from a channel on, saying on standard
// error what did not come across; `csv --layout list` writes the list again.
TEST_F(Commands, ImportAListFromAChannelOnAndExportItAgain) {
  WriteBytes(dir_ / "one.csv", "Frequency,Name\n155.34,Kept\n");
  ASSERT_EQ(Run({"import", Path("one.csv"), "-o", Path("into.s2c")}).status, 0);
  const auto result = Run({"import", kLists + "tool_writer.csv", "--into", Path("into.s2c"),
                           "--from", "195", "-o", Path("out.s2c")});
  EXPECT_EQ(result.status, 0) << result.err;
  for (const char* said :
       {"line 10: skipped: 80.000000 MHz is outside the scanner's bands",
        "Imported 6 channels: 195 to 200", "4 rows found no room after channel 200"}) {
    EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
  }
  const auto list = Run({"csv", Path("out.s2c"), "--all", "--layout", "list"});
  EXPECT_EQ(list.status, 0) << list.err;
  for (const char* row :
       {"\r\n1,Kept,155.340000,", "\r\n195,W1AW,146.940000,,0.000000,TSQL,100.0,100.0,",
        "\r\n196,Tower,118.300000,,0.000000,,88.5,88.5,023,NN,AM,12.50,S,"}) {
    EXPECT_NE(list.out.find(row), std::string::npos) << list.out;
  }
}

TEST_F(Commands, DiffListsChangedChannelsAndSettingsButNotSpellings) {
  std::string other = ReadBytes(kTable);
  for (const auto& [from, to] :
       std::vector<std::pair<std::string, std::string>>{{"\" 145.12\"", "\"145.1200\""},
                                                        {"\"F20\"", "\"Weather\""},
                                                        {"PRCH4 200", "PRCH4 90"},
                                                        {"#$BT0 Marine", "#$BT0 Air"}}) {
    other.replace(other.find(from), from.size(), to);
  }
  WriteBytes(dir_ / "other.s2c", other);
  const auto differ = Run({"diff", kTable, Path("other.s2c")});
  EXPECT_EQ(differ.status, 1);
  EXPECT_EQ(differ.out,
            "Channel 20 (Bank 1, row 20): Tag \"F20\" -> \"Weather\"\n"
            "Bank name 0: \"Marine\" -> \"Air\"\n"
            "Priority channel of bank index 4: 200 -> 90\n");
  const auto same = Run({"diff", kTable, kTable});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");
}

// Bad arguments are usage errors (1); files that cannot be read or written, data problems (2).
// A command that takes an image refuses one with lines out of place or damaged before it sends
// anything: the port given does not exist, so a command that went on would end with status 3.
TEST_F(Commands, RefuseBadArgumentsAndFilesTheyCannotUse) {
  WriteBytes(dir_ / "huge.s2c", "TALVIREX MEM V0.91\r\n");
  std::filesystem::resize_file(dir_ / "huge.s2c", 100u << 20);  // sparse: no time spent writing
  WriteBytes(dir_ / "short.img", ReadBytes(kOdd).substr(0, 252u * 47u));
  const std::string none = Path("none.s2c"), port = Path("no-such-port");
  const std::string image_data = std::string(TALVIREX_TEST_DATA) + "/image/";
  const std::string swapped = image_data + "swapped.img",
                    damaged = image_data + "bad-checksums.img";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{"frobnicate"}, 1, ""},
      {{"csv"}, 1, ""},
      {{"csv", kTable, "--bank", "11"}, 1, ""},
      {{"print", kTable}, 1, ""},
      {{"image"}, 1, ""},
      {{"normalize", kTable}, 1, ""},
      {{"normalize", kTable, "--bogus", "-o", Path("b")}, 1, ""},
      {{"diff", kTable}, 1, ""},
      {{"csv", none}, 2, "Not a valid file!"},
      {{"diff", kTable, none}, 2, ""},
      {{"harvest", Path("none.txt")}, 2, ""},
      {{"normalize", Path("huge.s2c"), "-o", Path("out")},
       2,
       "Not a valid file! Line:  /  /  Error: 7\n"},
      {{"normalize", kTable, "-o", Path("no/dir/o.s2c")}, 2, "no/dir/o.s2c"},
      {{"csv", kTable, "-o", Path("no/x.csv")}, 2, "Problem in export routine 1."},
      {{"print", kTable, "--all", "--pdf", Path("no/x.pdf")},
       2,
       "Problem in printerroutine bank: 0"},
      {{"decode", kTable}, 2, ""},
      {{"import", kLists + "semicolons.csv", "-o", Path("out")}, 2, "it has no Frequency column"},
      {{"import", Path("none.csv"), "-o", Path("out")}, 2, "The channel list could not be read"},
      {{"import", kLists + "tool_writer.csv"}, 1, "need -o OUT.s2c"},
      {{"import", kLists + "tool_writer.csv", "--from", "201", "-o", Path("out")},
       1,
       "--from takes"},
      {{"csv", kTable, "--layout", "other"}, 1, "--layout takes table or list"},
      {{"decode", Path("short.img"), "-o", Path("out")}, 2, "252 lines"},
      {{"image", kTable, "--base", Path("short.img")}, 2, "253 clone lines"},
      {{"decode", swapped, "-o", Path("out")},
       2,
       "talvirex decode: Line 66 of the file has the address"},
      {{"image", kTable, "--base", damaged, "-o", Path("out")},
       2,
       "talvirex image: Lines 13 and 200 of the file have a wrong checksum"},
      {{"send", kTable, "--base", swapped, "--port", port, "--yes"}, 2, "talvirex send: Line 66 "},
      {{"restore", swapped, "--port", port, "--yes", "--repair-checksums"},
       2,
       "talvirex restore: Line 66 "},
      {{"restore", damaged, "--port", port, "--yes"},
       2,
       "talvirex restore: Lines 13 and 200 of the file have a wrong checksum: the image is "
       "damaged.\nNothing was sent. To send it anyway with fresh checksums, add "
       "--repair-checksums.\n"},
  };
  for (const auto& c : cases) {
    const auto run = Run(c.args);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.args) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("bank: 1\n"), std::string::npos) << "a failed job is reported once";
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
}

using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

TEST(ScannerCommand, TheLinkNamesTheDeviceAndCtrlCAtOnceRemovesIt) {
  TempDir dir;
  const auto link = dir / "ttyScanner";
  testing::BackgroundProcess scanner(
      TALVIREX_BINARY, {"scanner", "--role", "slave", "--link", link.string(), "--timeout", "5000"},
      dir.path(), dir / "scanner.err", true);
  ASSERT_TRUE(scanner.first_line().starts_with("/dev/")) << scanner.first_line();
  EXPECT_EQ(std::filesystem::read_symlink(link), scanner.first_line());
  // Ctrl+C is held from the start: no exchange needs to have begun.
  scanner.Signal(SIGINT);
  EXPECT_EQ(scanner.Wait(), 130) << scanner.err();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
}  // namespace talvirex::testing
