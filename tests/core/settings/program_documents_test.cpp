#include "settings/program_documents.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

// A prefix laid out like a build tree or an installation: <prefix>/bin holds the program.
struct Layout {
  const char* name;
  bool beside_program;    // <bin>/Manual/talvir.pdf
  bool in_shared_data;    // <prefix>/share/talvirex/Manual/talvir.pdf
  const char* expected;   // "beside", "shared" or "" for none
};

void Put(const fs::path& file) {
  fs::create_directories(file.parent_path());
  WriteBytes(file, "%PDF");
}

TEST(ProgramDocumentsTest, FoundBesideTheProgramFirstThenInTheSharedDataFolder) {
  const Layout layouts[] = {
      {"build tree", true, false, "beside"},
      {"installed", false, true, "shared"},
      {"both: the program's own copy wins", true, true, "beside"},
      {"neither", false, false, ""},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    TempDir prefix;
    const fs::path bin = prefix / "bin";
    fs::create_directories(bin);
    const fs::path beside = bin / "Manual" / "talvir.pdf";
    const fs::path shared = prefix / "share" / "talvirex" / "Manual" / "talvir.pdf";
    if (layout.beside_program) Put(beside);
    if (layout.in_shared_data) Put(shared);

    const auto found = FindDocument(bin, kUserManualDocument);
    const std::string expected = layout.expected;
    if (expected.empty()) {
      EXPECT_FALSE(found.has_value());
    } else {
      ASSERT_TRUE(found.has_value());
      EXPECT_TRUE(fs::equivalent(*found, expected == "beside" ? beside : shared));
    }
  }
}

TEST(ProgramDocumentsTest, AFolderOfTheDocumentsNameIsNotTheDocument) {
  TempDir prefix;
  fs::create_directories(prefix / "bin" / "help" / "talvir.html");
  Put(prefix / "share" / "talvirex" / "help" / "talvir.html");
  const auto found = FindDocument(prefix / "bin", kHelpDocument);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->filename(), "talvir.html");
  EXPECT_TRUE(fs::is_regular_file(*found));
  EXPECT_NE(found->string().find("share"), std::string::npos);
}

TEST(ProgramDocumentsTest, TheMissingMessageNamesEveryPlaceLookedAt) {
  TempDir prefix;
  const std::string text = MissingDocumentText(prefix / "bin", kUserManualDocument);
  EXPECT_EQ(text.rfind("The user manual was not found.\r\n", 0), 0u);
  for (const fs::path& place : DocumentCandidates(prefix / "bin", kUserManualDocument)) {
    EXPECT_NE(text.find(place.string()), std::string::npos) << place;
  }
  // The shared data folder is named without "..": the user can go there as it is written.
  EXPECT_EQ(text.find(".."), std::string::npos);
  EXPECT_EQ(MissingDocumentText(prefix / "bin", kHelpDocument).rfind("The help was not found.", 0),
            0u);
}

}  // namespace
}  // namespace talvirex::testing
