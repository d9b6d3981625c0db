// The catalogue on the platform: real listings of a program folder, the
// profile functions read against the portable reader on the same files, and
// the catalogue read from the program's folder whatever the current folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "driver_catalogue_win.h"
#include "english_mode.h"
#include "inf_samples.h"
#include "inf_text.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// A program folder of its own under the temporary folder, and the current
// folder set to it as when the installer is started from its folder.
class ProgramFolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / "velmo_catalogue_test";
    fs::remove_all(root_);
    fs::create_directories(root_);
    previous_ = fs::current_path();
    fs::current_path(root_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(root_);
  }
  std::string Folder() const { return root_.string() + "\\"; }

  fs::path root_, previous_;
};

TEST_F(ProgramFolderTree, TheProfileFunctionsAndThePortableReaderAgree) {
  for (const test::InfSample& sample : test::InfSamples()) {
    const fs::path path = root_ / (sample.name + ".inf");
    WriteFile(path, sample.text);
    const ProfileFile platform(path.string());
    const InfText portable(sample.text);
    EXPECT_EQ(platform.Value("Version", "Provider", "-"), portable.Value("Version", "Provider", "-")) << sample.name;
    for (const std::string& section : sample.sections) {
      EXPECT_EQ(platform.KeyNames(section), portable.KeyNames(section)) << sample.name << " [" << section << "]";
      for (const std::string& key : portable.KeyNames(section)) {
        EXPECT_EQ(platform.Value(section, key, "-"), portable.Value(section, key, "-")) << sample.name << " " << key;
      }
      for (const char* unlisted : {"", "Velmo Lonely", "Missing"}) {
        EXPECT_EQ(platform.Value(section, unlisted, "-"), portable.Value(section, unlisted, "-"))
            << sample.name << " [" << section << "] " << unlisted;
      }
    }
    EXPECT_EQ(ReadInfModels(platform), sample.models) << sample.name;
  }
}

TEST_F(ProgramFolderTree, TheFixturePackageReadsAlikeBothWays) {
  const fs::path fixture = VELMO_FIXTURES_DIR "/driver/velmo.inf";
  const std::string text = ReadFile(fixture);
  ASSERT_NE(text.find("\r\n"), std::string::npos) << "the fixture keeps its CR LF line ends";
  WriteFile(root_ / "driver" / "velmo.inf", text);
  const Names models = ReadCatalogueModels(Folder());
  EXPECT_EQ(models, ReadInfModels(InfText(text)));
  EXPECT_EQ(models.size(), 4u);
}

TEST_F(ProgramFolderTree, FindFilesSearchesTheFolderAndOneLevelOfSubfolders) {
  WriteFile(root_ / "driver" / "a.inf", "");
  WriteFile(root_ / "driver" / "b.inf", "");
  WriteFile(root_ / "driver" / "readme.txt", "");
  fs::create_directories(root_ / "driver" / "folder.inf");
  WriteFile(root_ / "copy" / "driver" / "x.inf", "");
  WriteFile(root_ / "copy" / "deeper" / "driver" / "y.inf", "");
  Names found = FindFiles(Folder(), kCataloguePattern, ListDirectory);
  const Names listed = [&] {
    Names names;
    for (const DirectoryEntry& entry : ListDirectory(Folder() + "driver\\*.inf")) {
      if (!entry.folder) names.push_back(Folder() + entry.name);
    }
    return names;
  }();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(found.front(), listed.front()) << "the first file is the platform's first";
  std::ranges::sort(found);
  EXPECT_EQ(found, (Names{Folder() + "a.inf", Folder() + "b.inf", Folder() + "copy\\x.inf"}));
}

TEST_F(ProgramFolderTree, OnlyTheFirstOfTwoCataloguesIsRead) {
  WriteFile(root_ / "driver" / "a.inf", "[Version]\r\nProvider=A\r\n[A.NTx86]\r\nA One=x\r\n");
  WriteFile(root_ / "driver" / "b.inf", "[Version]\r\nProvider=B\r\n[B.NTx86]\r\nB One=x\r\n");
  const std::string first = ListDirectory(Folder() + "driver\\*.inf").front().name;
  EXPECT_EQ(ReadCatalogueModels(Folder()), Names{first == "a.inf" ? "A One" : "B One"});
}

TEST_F(ProgramFolderTree, ASubfoldersCatalogueIsLookedForInTheProgramsDriverFolder) {
  fs::create_directories(root_ / "driver");
  WriteFile(root_ / "copy" / "driver" / "x.inf", "[Version]\r\nProvider=V\r\n[V.NTx86]\r\nV One=x\r\n");
  EXPECT_TRUE(ReadCatalogueModels(Folder()).empty()) << "driver\\x.inf is missing beside the program";
  WriteFile(root_ / "driver" / "x.inf", "[Version]\r\nProvider=W\r\n[W.NTx86]\r\nW One=x\r\n");
  EXPECT_EQ(ReadCatalogueModels(Folder()), Names{"W One"});
}

TEST_F(ProgramFolderTree, TheCatalogueIsReadFromTheProgramsFolderWhateverTheCurrentFolder) {
  WriteFile(root_ / "Velmo Driver" / "driver" / "v.inf", "[Version]\r\nProvider=V\r\n[V.NTx86]\r\nV One=x\r\n");
  WriteFile(root_ / "driver" / "v.inf", "[Version]\r\nProvider=O\r\n[O.NTx86]\r\nOther One=x\r\n");
  EXPECT_EQ(ReadCatalogueModels(Folder() + "Velmo Driver\\"), Names{"V One"})
      << "not the current folder's package of the same file name";
  fs::current_path(root_.root_path());
  EXPECT_EQ(ReadCatalogueModels(Folder() + "Velmo Driver\\"), Names{"V One"}) << "started with C:\\ current";
}

TEST_F(ProgramFolderTree, WithoutACatalogueTheErrorNamesTheMissingPackage) {
  fs::create_directories(root_ / "driver");
  EnglishMode = 1;
  try {
    (void)ReadCatalogueModels(Folder());
    ADD_FAILURE() << "no error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("driver\\*.inf"), std::string::npos) << error.what();
  }
  EnglishMode = 0;
}

}  // namespace
}  // namespace velmo
