// The csv, harvest and print subcommands, run as the real binary on real files: the CSV read back
// with Python's csv module, the PDF with pdftotext. Layout rules are the core's tests.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::TempDir;

const std::string kData = TALVIREX_TEST_DATA;
const std::string kSample = kData + "/exchange/sample.s2c";

std::string Quote(const std::string& text) { return testing::ShellQuoted(text); }

class ExchangeCli : public ::testing::Test {
 protected:
  testing::CommandResult Talvirex(const std::vector<std::string>& args,
                                  const std::string& input = {}) {
    return testing::RunCommand(TALVIREX_BINARY, args, home_.path(), input);
  }
  // Runs a shell command, returns its standard output; fails the test on a non-zero status.
  std::string Shell(const std::string& command) {
    const std::string out = (dir_ / "shell.out").string();
    const int raw = std::system((command + " >" + Quote(out)).c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
    return ReadBytes(out);
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The channel lines "N: ..." of a page read back from a PDF.
  static std::vector<std::string> ChannelLines(const std::string& text) {
    std::vector<std::string> lines;
    for (const auto& line : Lines(text)) {
      const auto first = line.find_first_not_of(' ');
      if (first == std::string::npos) continue;
      const auto colon = line.find(": ", first);
      if (colon != std::string::npos && colon > first &&
          line.substr(first, colon - first).find_first_not_of("0123456789") == std::string::npos) {
        lines.push_back(line.substr(first));
      }
    }
    return lines;
  }
  int Pages(const std::string& pdf) {
    const std::string info = Shell("pdfinfo " + Quote(pdf));
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  }
  std::string PdfPage(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return Shell("pdftotext -fixed 4.6 -f " + n + " -l " + n + " " + Quote(pdf) + " -");
  }

  TempDir home_, dir_;
};

TEST_F(ExchangeCli, CsvOfAllBanksReadsAs201RowsOfNineColumns) {
  const std::string out = (dir_ / "all.csv").string();
  const auto run = Talvirex({"csv", kSample, "--all", "-o", out});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string check =
      "import csv, sys\n"
      "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='cp1252')))\n"
      "assert len(rows) == 201, len(rows)\n"
      "assert all(len(r) == 9 for r in rows), [r for r in rows if len(r) != 9]\n"
      "assert rows[0] == ['Bank','Channel','Frequency','Tag','Delay Time','LockOut','PL/DPL',"
      "'BeepAlert','Attenuator'], rows[0]\n"
      "assert rows[25] == ['2','25','146.5200','Fire Dept','On','Off','67.0','Off','Off'], "
      "rows[25]\n"
      "assert rows[26][3] == 'Water  Gas  Pwr' and rows[26][6] == '023', rows[26]\n"
      "assert rows[200] == ['10','200','851.0125','Last','On','On','754','On','On'], rows[200]\n"
      "print('ok')\n";
  testing::WriteBytes(dir_ / "check.py", check);
  EXPECT_EQ(Shell("python3 " + Quote((dir_ / "check.py").string()) + " " + Quote(out)), "ok\n");
}

TEST_F(ExchangeCli, HarvestListsAFileOrStandardInputInOrderOfDiscovery) {
  const std::string file = kData + "/harvest/airband.csv";
  const auto run = Talvirex({"harvest", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "118.3000\n121.9000\n127.6500\n156.8000\n");
  EXPECT_EQ(Talvirex({"harvest", "-"}, file).out, run.out);
}

TEST_F(ExchangeCli, PrintOfOneBankGivesOnePageWithEveryPart) {
  const std::string pdf = (dir_ / "bank2.pdf").string();
  const auto run = Talvirex({"print", kSample, "--bank", "2", "--pdf", pdf});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Pages(pdf), 1);
  const std::string text = PdfPage(pdf, 1);
  const std::vector<std::string> parts = {
      "Kelmora for Uniden SportCat 200 - ", "Bank: 2", "Bankname: Fire and Rescue",
      "Filename: " + kSample, "Frequency", "Lock Out", "PL/DPL", "TALVIREX", "Page 1 / 1"};
  for (const std::string& part : parts) {
    EXPECT_NE(text.find(part), std::string::npos) << part << '\n' << text;
  }
  const auto channels = ChannelLines(text);
  ASSERT_EQ(channels.size(), 20u) << text;
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(channels[static_cast<std::size_t>(i)].rfind(std::to_string(21 + i) + ":", 0), 0u);
  }
  // Columns come back as columns: the values stand in their row.
  for (const char* value : {"146.5200", "Fire Dept", "67.0"}) {
    EXPECT_NE(channels[4].find(value), std::string::npos) << channels[4];
  }
  EXPECT_NE(channels[6].find("--"), std::string::npos);
  EXPECT_NE(channels[0].find("Empty"), std::string::npos);
}

TEST_F(ExchangeCli, RefuseBadArgumentsAndFilesTheyCannotUse) {
  const std::string none = (dir_ / "none.s2c").string();
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"csv", kSample, "--bank", "11"}, 1, ""},
      {{"csv"}, 1, ""},
      {{"csv", none}, 2, "Not a valid file!"},
      {{"csv", kSample, "-o", (dir_ / "no" / "x.csv").string()}, 2, "Problem in export routine 1."},
      {{"harvest", (dir_ / "none.txt").string()}, 2, ""},
      {{"print", kSample}, 1, ""},
      {{"print", kSample, "--all", "--pdf", (dir_ / "no" / "x.pdf").string()}, 2,
       "Problem in printerroutine bank: 0"},
  };
  for (const auto& c : cases) {
    const auto run = Talvirex(c.args);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.args);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("bank: 1\n"), std::string::npos) << "reported once per job";
  }
}

}  // namespace
}  // namespace talvirex
