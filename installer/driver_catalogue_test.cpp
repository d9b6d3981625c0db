// The driver catalogue: where the INF file is found, its models and the
// brand words.
#include <gtest/gtest.h>

#include <map>

#include "driver_catalogue.h"
#include "english_mode.h"
#include "inf_samples.h"
#include "inf_text.h"

namespace velmo {
namespace {

using Names = std::vector<std::string>;

// A listing from a table of wildcard paths, recording what was asked for.
struct FakeDisk {
  std::map<std::string, std::vector<DirectoryEntry>> listings;
  std::vector<std::string> asked;
  DirectoryListing Listing() {
    return [this](const std::string& path) {
      asked.push_back(path);
      const auto found = listings.find(path);
      return found == listings.end() ? std::vector<DirectoryEntry>{} : found->second;
    };
  }
};

const std::string kFolder = "C:\\Velmo\\";

TEST(FindFiles, TheProgramsFolderFirstThenEachSubfolderOneLevelDeep) {
  FakeDisk disk;
  disk.listings[kFolder + "*.*"] = {{".", true}, {"..", true}, {"driver", true}, {"Qindle.exe", false},
                                    {"copy", true}};
  disk.listings[kFolder + "driver\\*.inf"] = {{"b.inf", false}, {"a.inf", false}, {"odd.inf", true}};
  disk.listings[kFolder + "copy\\driver\\*.inf"] = {{"x.inf", false}};
  const Names found = FindFiles(kFolder, kCataloguePattern, disk.Listing());
  EXPECT_EQ(found, (Names{kFolder + "b.inf", kFolder + "a.inf", kFolder + "copy\\x.inf"}))
      << "listing order; the pattern's folder is not in the result; folders are no files";
  EXPECT_EQ(disk.asked, (Names{kFolder + "*.*", kFolder + "driver\\*.inf", kFolder + "driver\\driver\\*.inf",
                               kFolder + "copy\\driver\\*.inf"}))
      << "only one level: the subfolders' own folders are not listed";
}

TEST(FindFiles, ListingsUseTheFirst200CharactersOfTheFolder) {
  const std::string deep = "C:\\" + std::string(210, 'd') + "\\";
  FakeDisk disk;
  disk.listings[deep.substr(0, 200) + "*.*"] = {{"sub", true}};
  disk.listings[deep.substr(0, 200) + "driver\\*.inf"] = {{"v.inf", false}};
  // Cut to 200 characters, the subfolder's listing is the program folder's
  // listing again; the entries still carry the whole folder path.
  EXPECT_EQ(FindFiles(deep, kCataloguePattern, disk.Listing()), (Names{deep + "v.inf", deep + "sub\\v.inf"}));
  EXPECT_EQ(disk.asked, (Names{deep.substr(0, 200) + "*.*", deep.substr(0, 200) + "driver\\*.inf",
                               deep.substr(0, 200) + "driver\\*.inf"}));
}

TEST(FindFiles, TheProgramsFolderIsCutTo255Characters) {
  const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
  FakeDisk disk;
  disk.listings[deep.substr(0, 200) + "driver\\*.inf"] = {{"v.inf", false}};
  EXPECT_EQ(FindFiles(deep, kCataloguePattern, disk.Listing()), Names{deep.substr(0, 255) + "v.inf"});
}

TEST(FindFiles, AFolderIsNeverCutInsideACharacter) {
  std::string deep = "C:\\";
  while (deep.size() < 300) deep += "安装";
  deep += "\\";
  FakeDisk disk;
  const std::string listed(deep.substr(0, 198));  // 3 + 65 characters of 3 bytes
  disk.listings[listed + "driver\\*.inf"] = {{"v.inf", false}};
  EXPECT_EQ(FindFiles(deep, kCataloguePattern, disk.Listing()), Names{deep.substr(0, 255) + "v.inf"});
  EXPECT_EQ(disk.asked.front(), listed + "*.*");
}

TEST(CataloguePath, TheFirstFilesNameInTheProgramsDriverFolder) {
  EXPECT_EQ(CataloguePath(kFolder, {kFolder + "b.inf", kFolder + "a.inf"}), "C:\\Velmo\\driver\\b.inf");
  EXPECT_EQ(CataloguePath(kFolder, {kFolder + "copy\\x.inf"}), "C:\\Velmo\\driver\\x.inf")
      << "a subfolder's file is looked for in the program's own driver folder";
}

TEST(CataloguePath, NoFileSaysPlainlyThatThePackageIsMissing) {
  EnglishMode = 1;
  try {
    (void)CataloguePath(kFolder, {});
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("driver package is missing"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("driver\\*.inf"), std::string::npos);
  }
  EnglishMode = 0;
  try {
    (void)CataloguePath(kFolder, {});
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("缺少驱动程序包"), std::string::npos) << error.what();
  }
}

TEST(ReadInfModels, TheSamplePackagesDeclareTheirModels) {
  for (const test::InfSample& sample : test::InfSamples()) {
    EXPECT_EQ(ReadInfModels(InfText(sample.text)), sample.models) << sample.name;
  }
}

TEST(ReadInfModels, ModelNamesThatDoNotFitAreSkipped) {
  const std::string fits = "Velmo " + std::string(73, 'x');
  ASSERT_EQ(fits.size(), 79u);
  const InfText inf("[Version]\nProvider=V\n[V.NTx86]\n" + fits + "=A\n" + fits + "x=B\n\"" + fits + "\"=C\n\"\"=D\n");
  EXPECT_EQ(ReadInfModels(inf), (Names{fits, fits})) << "80 characters and the empty name are skipped";
}

TEST(ReadInfModels, TheProviderIsCutTo255Characters) {
  const std::string provider(255, 'p');
  EXPECT_EQ(ReadInfModels(InfText("[Version]\nProvider=" + provider + "q\n[" + provider + ".NTx86]\nM1=A\n")),
            Names{"M1"});
}

TEST(BrandWords, FirstWordsOnceEachWithoutRegardToCase) {
  TextList words;
  words.Add("stale");
  CollectBrandWords({"Velmo LT42", "velmo LT43", "Other X1", "VELMO LT44"}, words);
  EXPECT_EQ(words.Items(), (Names{"Velmo", "Other"}));
  CollectBrandWords({"Mono", "Two  Blanks"}, words);
  EXPECT_EQ(words.Items(), (Names{"Mono", "Two"})) << "a one-word model is its own brand word";
  CollectBrandWords({}, words);
  EXPECT_EQ(words.Count(), 0u);
}

}  // namespace
}  // namespace velmo
