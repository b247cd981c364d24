#include "settings/program_documents.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

// <prefix>/bin holds the program: a document beside it wins over the shared data folder's copy,
// and a folder of the document's name is not the document.
TEST(ProgramDocuments, FoundBesideTheProgramFirstThenInTheSharedDataFolder) {
  const struct {
    bool beside, shared, folder_beside;
    const char* found;  // "beside", "shared" or ""
  } layouts[] = {
      {true, false, false, "beside"}, {false, true, false, "shared"}, {true, true, false, "beside"},
      {false, false, false, ""},      {false, true, true, "shared"},
  };
  for (const auto& layout : layouts) {
    TempDir prefix;
    const fs::path beside = prefix / "bin" / "Manual" / "talvir.pdf";
    const fs::path shared = prefix / "share" / "talvirex" / "Manual" / "talvir.pdf";
    fs::create_directories(prefix / "bin");
    for (const auto& [put, file] : {std::pair{layout.beside, beside}, {layout.shared, shared}}) {
      if (!put) continue;
      fs::create_directories(file.parent_path());
      WriteBytes(file, "%PDF");
    }
    if (layout.folder_beside) fs::create_directories(beside);
    const auto found = FindDocument(prefix / "bin", kUserManualDocument);
    const std::string where = !found ? "" : fs::equivalent(*found, beside) ? "beside" : "shared";
    EXPECT_EQ(where, layout.found) << layout.beside << layout.shared << layout.folder_beside;
  }
}

TEST(ProgramDocuments, TheMissingMessageNamesEveryPlaceLookedAt) {
  TempDir prefix;
  const std::string text = MissingDocumentText(prefix / "bin", kUserManualDocument);
  EXPECT_TRUE(text.starts_with("The user manual was not found.\r\n"));
  for (const fs::path& place : DocumentCandidates(prefix / "bin", kUserManualDocument)) {
    EXPECT_NE(text.find(place.string()), std::string::npos) << place;
  }
  EXPECT_EQ(text.find(".."), std::string::npos) << "a place the user can go to as it is written";
  EXPECT_TRUE(MissingDocumentText(prefix / "bin", kHelpDocument).starts_with("The help was not found."));
}

}  // namespace
}  // namespace talvirex::testing
