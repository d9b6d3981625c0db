#include "velmocfg_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

VelmocfgCommand Parsed(std::vector<std::string> arguments) {
  auto parsed = ParseVelmocfgArguments(arguments);
  if (auto* error = std::get_if<std::string>(&parsed)) ADD_FAILURE() << *error;
  return std::holds_alternative<VelmocfgCommand>(parsed) ? std::get<VelmocfgCommand>(parsed) : VelmocfgCommand{};
}

std::string Refusal(std::vector<std::string> arguments) {
  auto parsed = ParseVelmocfgArguments(arguments);
  return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "(taken)";
}

TEST(VelmocfgCommandLine, CommandsWithTheirOperandsAndOptions) {
  const auto import = Parsed({"import", "shop.profile", "-all", "-dry-run"});
  EXPECT_EQ(import.verb, VelmocfgVerb::kImport);
  EXPECT_THAT(import.operands, ElementsAre("shop.profile"));
  EXPECT_TRUE(import.all && import.dry_run);

  const auto set = Parsed({"set", "-printer:Velmo LT42 (2)", "PRINT_MODE=1", "BLUETOOTH_NAME=a b"});
  EXPECT_EQ(set.printer, "Velmo LT42 (2)");
  EXPECT_THAT(set.operands, ElementsAre("PRINT_MODE=1", "BLUETOOTH_NAME=a b"));

  EXPECT_TRUE(Parsed({"export", "p.txt", "-with-secrets"}).with_secrets);
  EXPECT_EQ(Parsed({"run", "factory-reset"}).operands[0], "factory-reset");
  EXPECT_EQ(Parsed({"show", "--help"}).verb, VelmocfgVerb::kHelp);
  const VelmocfgCommand fleet =
      Parsed({"import", "p", "-all", "-json", "-force", "-any-model", "-keep:LAN_CONFIG_IPADDRESS,BLUETOOTH_NAME"});
  EXPECT_TRUE(fleet.all && fleet.json && fleet.force && fleet.any_model);
  EXPECT_THAT(fleet.keep, ElementsAre("LAN_CONFIG_IPADDRESS", "BLUETOOTH_NAME"));
}

TEST(VelmocfgCommandLine, WhatIsRefused) {
  EXPECT_EQ(Refusal({}), "no command given");
  EXPECT_THAT(Refusal({"shwo"}), HasSubstr("unknown command"));
  EXPECT_THAT(Refusal({"get"}), HasSubstr("needs more"));
  EXPECT_THAT(Refusal({"export", "a", "b"}), HasSubstr("fewer"));
  EXPECT_THAT(Refusal({"run", "explode"}), HasSubstr("selftest"));
  EXPECT_THAT(Refusal({"show", "-dry-run"}), HasSubstr("does not go with show"));
  EXPECT_THAT(Refusal({"diff", "p", "-force"}), HasSubstr("does not go with diff"));
  EXPECT_THAT(Refusal({"export", "p", "-json"}), HasSubstr("does not go with export"));
  EXPECT_THAT(Refusal({"set", "PRINT_MODE=1", "-keep:PRINT_MODE"}), HasSubstr("does not go with set"));
  EXPECT_THAT(Refusal({"import", "p", "-keep:,"}), HasSubstr("-keep: needs keys"));
  EXPECT_THAT(Refusal({"list", "-printer:A"}), HasSubstr("does not go with list"));
  EXPECT_THAT(Refusal({"import", "p", "-all", "-printer:A"}), HasSubstr("exclude"));
  EXPECT_THAT(Refusal({"show", "-printer:"}), HasSubstr("needs a printer name"));
  EXPECT_THAT(Refusal({"show", "-printer:A", "-printer:B"}), HasSubstr("twice"));
}

}  // namespace
}  // namespace velmo
