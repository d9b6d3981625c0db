#pragma once
// INF texts written the way driver packages write them, with the models each
// one declares: read natively by the portable reader and, in the Windows
// tests, by the platform's profile functions as well.
#include <string>
#include <vector>

namespace velmo::test {

struct InfSample {
  std::string name;
  std::string text;
  std::vector<std::string> sections;  // whose key names both readers must agree on
  std::vector<std::string> models;    // what ReadInfModels gives
};

const std::vector<InfSample>& InfSamples();

}  // namespace velmo::test
