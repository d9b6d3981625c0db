#include "printer_profile.h"
#include "profile_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const Latin1Codec codec;

ParsedProfile Parse(std::string_view text) { return ParseProfile(text, codec); }

std::string Key(const ProfileEntry& entry) { return std::string(entry.setting.key->key); }
std::string TextOf(const ProfileEntry& entry) { return std::get<std::string>(entry.setting.value); }
int32_t IntOf(const ProfileEntry& entry) { return std::get<int32_t>(entry.setting.value); }

// Bytes the frame leaves for BLUETOOTH_NAME's text: 128 - 10 - 15 - 1.
constexpr size_t kMaxBluetoothName = 102;

TEST(ProfileParsing, CommentsBlanksCrlfAndValuesWithEquals) {
  const auto profile = Parse(
      "\xEF\xBB\xBF# Velmo printer profile\r\n"
      "\r\n"
      "   # indented comment\n"
      "PRINT_MODE = 2\r\n"
      "  AUTO_FEED\t=\t0  \r\n"
      "WIFI_CONFIG_PASSWORD = a=b=c#d \r\n"
      "LAN_CONFIG_GATEWAY=10.0.0.254");
  ASSERT_TRUE(profile.errors.empty()) << profile.errors[0].key;
  ASSERT_EQ(profile.entries.size(), 4u);
  EXPECT_EQ(Key(profile.entries[0]), "PRINT_MODE");
  EXPECT_EQ(IntOf(profile.entries[0]), 2);
  EXPECT_EQ(profile.entries[0].line, 4);
  EXPECT_EQ(IntOf(profile.entries[1]), 0);
  EXPECT_EQ(TextOf(profile.entries[2]), "a=b=c#d ") << "a text keeps '=', '#' and its trailing blank";
  EXPECT_EQ(std::get<AddressBytes>(profile.entries[3].setting.value), (AddressBytes{10, 0, 0, 254}));
}

TEST(ProfileParsing, TextsGoToTheCodePage) {
  const auto profile = Parse("BLUETOOTH_NAME=Caf\xC3\xA9\nWIFI_CONFIG_SSID=\xE4\xBB\x93\xE5\xBA\x93\n");
  ASSERT_EQ(profile.entries.size(), 1u);
  EXPECT_EQ(TextOf(profile.entries[0]), "Caf\xE9");
  ASSERT_EQ(profile.errors.size(), 1u);
  EXPECT_EQ(profile.errors[0].line, 2);
  EXPECT_EQ(profile.errors[0].problem, ProfileProblem::kCodePage);
}

TEST(ProfileParsing, EveryBadLineIsRefusedWithItsNumber) {
  const auto profile = Parse(
      "PRINT_MODE=3\n"
      "COLOUR=red\n"
      "AUTO_FEED=2\n"
      "PRINT_DARKNESS=4294967296\n"
      "LAN_CONFIG_IPADDRESS=192.168.1\n"
      "WIFI_CONFIG_NETMASK=255.255.256.0\n"
      "VERSION=9.9\n"
      "no equals sign\n"
      "PRINT_MODE=1\n"
      "PRINT_MODE=2\n"
      "BLUETOOTH_NAME=\xFF\xFE\n");
  std::vector<int> lines;
  for (const ProfileError& error : profile.errors) lines.push_back(error.line);
  EXPECT_THAT(lines, ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 10, 11));
  EXPECT_EQ(profile.errors[0].problem, ProfileProblem::kOutOfRange);
  EXPECT_EQ(profile.errors[1].problem, ProfileProblem::kUnknownKey);
  EXPECT_EQ(profile.errors[1].key, "COLOUR");
  EXPECT_EQ(profile.errors[6].problem, ProfileProblem::kReadOnly);
  EXPECT_EQ(profile.errors[8].problem, ProfileProblem::kGivenTwice);
  EXPECT_EQ(profile.errors[8].low, 9);
  EXPECT_EQ(profile.errors[9].problem, ProfileProblem::kNotUtf8);
}

TEST(ProfileParsing, TextLimitIsWhatOneFrameHolds) {
  const std::string at_limit(kMaxBluetoothName, 'n');
  auto profile = Parse("BLUETOOTH_NAME=" + at_limit);
  ASSERT_EQ(profile.entries.size(), 1u);
  EXPECT_EQ(TextOf(profile.entries[0]), at_limit);

  profile = Parse("BLUETOOTH_NAME=" + at_limit + "n");
  ASSERT_EQ(profile.errors.size(), 1u);
  EXPECT_EQ(profile.errors[0].problem, ProfileProblem::kTooLong);
  EXPECT_EQ(profile.errors[0].high, 102);

  profile = Parse("# 255 bytes\nWIFI_CONFIG_SSID=" + std::string(255, 's'));
  ASSERT_EQ(profile.errors.size(), 1u);
  EXPECT_EQ(profile.errors[0].line, 2);
  EXPECT_TRUE(profile.entries.empty());

  // Counted in the code page's bytes, not UTF-8's: 102 'é' are 204 UTF-8 bytes.
  std::string accents;
  for (size_t i = 0; i < kMaxBluetoothName; ++i) accents += "\xC3\xA9";
  EXPECT_TRUE(Parse("BLUETOOTH_NAME=" + accents).errors.empty());
}

TEST(ProfileParsing, OversizedProfileIsRefusedWhole) {
  const auto profile = Parse(std::string(kMaxProfileBytes + 1, '#'));
  ASSERT_EQ(profile.errors.size(), 1u);
  EXPECT_EQ(profile.errors[0].line, 0);
}

PrinterSettings Printer() {
  PrinterSettings printer;
  printer.values = {{"PRINT_DARKNESS_SIZE", int32_t{7}}, {"PRINT_DARKNESS", int32_t{-1}},
                    {"PRINT_MODE", int32_t{1}},          {"AUTO_FEED", int32_t{5}},
                    {"BT_ENABLED", int32_t{0}},          {"LAN_ENABLED", int32_t{1}},
                    {"LAN_CONFIG_IPADDRESS", AddressBytes{0, 0, 0, 0}},
                    {"WIFI_ENABLED", int32_t{1}},        {"WIFI_CONFIG_SSID", std::string("Lager")},
                    {"WIFI_CONFIG_PASSWORD", std::string("geheim")},
                    {"OEM_MODELNAME", std::string("Velmo LT42")}, {"VERSION", std::string("2.1")},
                    {"VERSION_CMD", std::string("7")}};
  return printer;
}

TEST(ProfileAgainstPrinter, GroupsItLacksAndDarknessOutsideItsRange) {
  const auto profile = Parse("PRINT_DARKNESS=4\nBLUETOOTH_NAME=x\nPRINT_DARKNESS_SIZE=1\nLAN_CONFIG_GATEWAY=1.1.1.1\n");
  const auto errors = CheckProfileForPrinter(profile.entries, Printer());
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].line, 1);
  EXPECT_EQ(errors[0].problem, ProfileProblem::kDarknessRange);
  EXPECT_EQ(errors[0].low, -3);
  EXPECT_EQ(errors[0].high, 3);
  EXPECT_EQ(errors[1].line, 2);
  EXPECT_EQ(errors[1].problem, ProfileProblem::kNoSuchGroup);
  EXPECT_EQ(errors[1].detail, "BT_ENABLED");
}

TEST(ProfileAgainstPrinter, DiffComparesBooleansAsOnOff) {
  const auto profile = Parse("AUTO_FEED=1\nPRINT_MODE=2\nWIFI_CONFIG_SSID=Lager\nLAN_CONFIG_GATEWAY=1.2.3.4\n");
  std::vector<std::string> lines;
  for (const auto& difference : DiffProfile(profile.entries, Printer(), codec, false)) lines.push_back(DifferenceLine(difference));
  EXPECT_THAT(lines, ElementsAre("PRINT_MODE: 1 -> 2", "LAN_CONFIG_GATEWAY: (not read) -> 1.2.3.4"));
}

TEST(ProfileFormatting, ShowListsWhatWasReadInReadOrder) {
  EXPECT_EQ(FormatSettings(Printer(), codec, true),
            "# model: Velmo LT42\n# firmware: 2.1.7\n"
            "PRINT_DARKNESS_SIZE=7\nPRINT_DARKNESS=-1\nPRINT_MODE=1\nAUTO_FEED=1\nBT_ENABLED=0\nLAN_ENABLED=1\n"
            "LAN_CONFIG_IPADDRESS=0.0.0.0\nWIFI_ENABLED=1\nWIFI_CONFIG_SSID=Lager\nWIFI_CONFIG_PASSWORD=geheim\n");
  EXPECT_THAT(FormatSettings(Printer(), codec, false), HasSubstr("WIFI_CONFIG_PASSWORD=***\n"));
}

TEST(ProfileFormatting, ExportLeavesPasswordsOutUnlessAsked) {
  const std::string without = FormatProfile(Printer(), codec, "2026-12-09 16:00:00", {});
  EXPECT_THAT(without, HasSubstr("# date: 2026-12-09 16:00:00\n"));
  EXPECT_THAT(without, HasSubstr("passwords left out"));
  EXPECT_THAT(without, Not(HasSubstr("geheim")));
  EXPECT_THAT(without, Not(HasSubstr("PRINT_DARKNESS_SIZE")));
  const std::string with = FormatProfile(Printer(), codec, "2026-12-09 16:00:00", {.with_secrets = true});
  EXPECT_THAT(with, HasSubstr("WIFI_CONFIG_PASSWORD=geheim\n"));
  // What export writes, import takes back unchanged.
  const auto again = Parse(with);
  EXPECT_TRUE(again.errors.empty());
  EXPECT_TRUE(DiffProfile(again.entries, Printer(), codec, true).empty());
}

TEST(ProfileQuoting, QuotedTextsReadBackExactly) {
  const auto profile = Parse(
      "BLUETOOTH_NAME=\"  a \\\"b\\\" \\\\ c\\n\\r\\t\\x01\\xFF \"  \n"
      "WIFI_CONFIG_SSID=\"caf\xC3\xA9\"\n"
      "WIFI_CONFIG_PASSWORD=\"\"\n"
      "BLUETOOTH_NAME_LE=\"open\n"
      "BLUETOOTH_PASSWORD=\"a\\q\"\n"
      "BLUETOOTH_PASSWORD_LE=\"a\" b\n"
      "PRINT_MODE=\"1\"\n");
  ASSERT_EQ(profile.entries.size(), 3u);
  EXPECT_EQ(TextOf(profile.entries[0]), "  a \"b\" \\ c\n\r\t\x01\xFF ");
  EXPECT_EQ(TextOf(profile.entries[1]), "caf\xE9");
  EXPECT_EQ(TextOf(profile.entries[2]), "");
  std::vector<ProfileProblem> problems;
  for (const ProfileError& error : profile.errors) problems.push_back(error.problem);
  EXPECT_THAT(problems, ElementsAre(ProfileProblem::kBadQuoting, ProfileProblem::kBadQuoting,
                                    ProfileProblem::kBadQuoting, ProfileProblem::kNotWholeNumber));
}

TEST(ProfileQuoting, ModelAndFirmwareComeFromTheirComments) {
  const auto profile = Parse("# Velmo printer profile\n#model:  Velmo LT42 \n# firmware: 2.1.7\n# model: other\n");
  EXPECT_EQ(profile.model, "Velmo LT42");
  EXPECT_EQ(profile.firmware, "2.1.7");
}

TEST(ProfileFiles, EncodingsWithTheirMarks) {
  EXPECT_EQ(DecodeProfileBytes("\xEF\xBB\xBF" "A=1"), "A=1");
  EXPECT_EQ(DecodeProfileBytes(std::string("\xFF\xFE" "A\0=\0\xE9\0", 8)), "A=\xC3\xA9");
  EXPECT_EQ(DecodeProfileBytes(std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6)), "\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeProfileBytes(std::string("\xFF\xFE" "A", 3)), std::nullopt) << "odd length";
  EXPECT_EQ(DecodeProfileBytes(std::string("\xFF\xFE\x00\xD8", 4)), std::nullopt) << "lone surrogate";
  EXPECT_EQ(DecodeProfileBytes(std::string("A\0=\0", 4)), std::nullopt) << "UTF-16 without its mark";
  EXPECT_EQ(DecodeProfileBytes("caf\xE9"), std::nullopt) << "Latin-1";
  const auto refused = ParseProfileFile(std::string("A\0=\0", 4), codec);
  ASSERT_EQ(refused.errors.size(), 1u);
  EXPECT_EQ(refused.errors[0].problem, ProfileProblem::kEncoding);
}

}  // namespace
}  // namespace velmo
