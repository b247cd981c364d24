// The csv, harvest and print subcommands, run as the real binary on real files.

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

using RunResult = testing::CommandResult;

class ExchangeCli : public ::testing::Test {
 protected:
  RunResult Talvirex(const std::vector<std::string>& args, const std::string& input = {}) {
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

  TempDir home_, dir_;
};

TEST_F(ExchangeCli, CsvOfAllBanksReadsAs201RowsOfNineColumns) {
  const std::string out = (dir_ / "all.csv").string();
  const RunResult run = Talvirex({"csv", kSample, "--all", "-o", out});
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
      "assert rows[27][6] == '', rows[27]\n"
      "assert rows[200] == ['10','200','851.0125','Last','On','On','754','On','On'], rows[200]\n"
      "print('ok')\n";
  testing::WriteBytes(dir_ / "check.py", check);
  EXPECT_EQ(Shell("python3 " + Quote((dir_ / "check.py").string()) + " " + Quote(out)), "ok\n");
  const std::string bytes = ReadBytes(out);
  EXPECT_EQ(bytes.rfind("Bank,Channel,Frequency,", 0), 0u);
  EXPECT_EQ(bytes.size() - bytes.find_last_of("\n"), 1u);
}

TEST_F(ExchangeCli, CsvOfOneBankAndOfTheDummyBankToStandardOutput) {
  RunResult run = Talvirex({"csv", kSample, "--bank", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[5], "2,25,146.5200,Fire Dept,On,Off,67.0,Off,Off\r");
  EXPECT_EQ(lines[1], "Empty,,,,,,,,\r");

  run = Talvirex({"csv", kSample, "--bank", "D"});
  ASSERT_EQ(run.status, 0) << run.err;
  lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 21u);
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], "Empty,,,,,,,,\r");
}

TEST_F(ExchangeCli, CsvRefusesBadArgumentsAndBadFiles) {
  EXPECT_EQ(Talvirex({"csv", kSample, "--bank", "11"}).status, 1);
  EXPECT_EQ(Talvirex({"csv", kSample, "--bank", "0"}).status, 1);
  EXPECT_EQ(Talvirex({"csv", kSample, "--bank", "2", "--all"}).status, 1);
  EXPECT_EQ(Talvirex({"csv"}).status, 1);
  const RunResult missing = Talvirex({"csv", (dir_ / "none.s2c").string()});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("Not a valid file!"), std::string::npos) << missing.err;
  const RunResult unwritable = Talvirex({"csv", kSample, "-o", (dir_ / "no" / "x.csv").string()});
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_NE(unwritable.err.find("Problem in export routine 1."), std::string::npos);
}

TEST_F(ExchangeCli, HarvestListsInOrderOfDiscovery) {
  RunResult run = Talvirex({"harvest", kData + "/harvest/county_frequencies.htm"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "154.1300\n127.3\n155.2200\n462.5625\n453.1250\n458.1250\n460.0250\n465.0250\n"
            "155.3400\n151.6250\n67.0\n155.4750\n155.7525\n");

  run = Talvirex({"harvest", "-"}, kData + "/harvest/airband.csv");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "118.3000\n121.9000\n127.6500\n156.8000\n");

  // The CSV export read back: the used channels' frequencies and their tones, in file order.
  const std::string csv = (dir_ / "all.csv").string();
  ASSERT_EQ(Talvirex({"csv", kSample, "--all", "-o", csv}).status, 0);
  run = Talvirex({"harvest", csv});
  ASSERT_EQ(run.status, 0);
  const auto lines = Lines(run.out);
  ASSERT_GE(lines.size(), 23u);
  EXPECT_EQ(lines[0], "150.0125");
  EXPECT_EQ(lines[1], "67.0");
  EXPECT_EQ(lines.back(), "851.0125");

  EXPECT_EQ(Talvirex({"harvest", (dir_ / "none.txt").string()}).status, 2);
  EXPECT_EQ(Talvirex({"harvest"}).status, 1);
}

class PrintCli : public ExchangeCli {
 protected:
  std::string PdfText(const std::string& pdf) {
    return Shell("pdftotext -fixed 4.6 " + Quote(pdf) + " -");
  }
  int Pages(const std::string& pdf) {
    const std::string info = Shell("pdfinfo " + Quote(pdf));
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  }
  // The lines of `text` that hold a channel line "N: ...".
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
};

TEST_F(PrintCli, OneBankGivesOnePageWithEveryPart) {
  const std::string pdf = (dir_ / "bank2.pdf").string();
  const RunResult run = Talvirex({"print", kSample, "--bank", "2", "--pdf", pdf});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Pages(pdf), 1);
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Kelmora for Uniden SportCat 200 - "), std::string::npos) << text;
  EXPECT_NE(text.find("Bank: 2"), std::string::npos);
  EXPECT_NE(text.find("Bankname: Fire and Rescue"), std::string::npos);
  EXPECT_NE(text.find("Filename: " + kSample), std::string::npos);
  EXPECT_NE(text.find("Frequency"), std::string::npos);
  for (const char* header : {"Tag", "Delay", "Lock Out", "PL/DPL", "Beep", "ATT"}) {
    EXPECT_NE(text.find(header), std::string::npos) << header;
  }
  const auto channels = ChannelLines(text);
  ASSERT_EQ(channels.size(), 20u) << text;
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(channels[static_cast<std::size_t>(i)].rfind(std::to_string(21 + i) + ":", 0), 0u);
  }
  // Columns come back as columns: the values stand under their headers.
  EXPECT_NE(channels[4].find("146.5200"), std::string::npos);
  EXPECT_NE(channels[4].find("Fire Dept"), std::string::npos);
  EXPECT_NE(channels[4].find("67.0"), std::string::npos);
  EXPECT_NE(channels[6].find("--"), std::string::npos);
  EXPECT_NE(channels[0].find("Empty"), std::string::npos);
  EXPECT_NE(text.find("TALVIREX"), std::string::npos);
  EXPECT_NE(text.find("Page 1 / 1"), std::string::npos);
}

TEST_F(PrintCli, AllBanksGiveTenNumberedPages) {
  const std::string pdf = (dir_ / "all.pdf").string();
  const RunResult run = Talvirex({"print", kSample, "--all", "--pdf", pdf});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Pages(pdf), 10);
  for (int page = 1; page <= 10; ++page) {
    const std::string text = Shell("pdftotext -fixed 4.6 -f " + std::to_string(page) + " -l " +
                                   std::to_string(page) + " " + Quote(pdf) + " -");
    EXPECT_NE(text.find("Bank: " + std::to_string(page) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Page " + std::to_string(page) + " / 10"), std::string::npos) << text;
    const auto channels = ChannelLines(text);
    ASSERT_EQ(channels.size(), 20u);
    EXPECT_EQ(channels[0].rfind(std::to_string((page - 1) * 20 + 1) + ":", 0), 0u);
  }
  EXPECT_EQ(PdfText(pdf).find("Dummy"), std::string::npos);
}

TEST_F(PrintCli, TheDummyBankAndAFileThatCannotBeWritten) {
  const std::string pdf = (dir_ / "dummy.pdf").string();
  RunResult run = Talvirex({"print", kSample, "--bank", "D", "--pdf", pdf});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Bank: Dummy"), std::string::npos);
  const auto channels = ChannelLines(text);
  ASSERT_EQ(channels.size(), 20u);
  EXPECT_EQ(channels.front().rfind("201:", 0), 0u);
  EXPECT_EQ(channels.back().rfind("220:", 0), 0u);

  run = Talvirex({"print", kSample, "--all", "--pdf", (dir_ / "no" / "x.pdf").string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("Problem in printerroutine bank: 0"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("bank: 1\n"), std::string::npos) << "reported once per job";
  EXPECT_EQ(Talvirex({"print", kSample}).status, 1);
}

}  // namespace
}  // namespace talvirex
