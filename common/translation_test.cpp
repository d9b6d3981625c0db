#include "translation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "captioned_component_for_tests.h"
#include "mnemonic.h"

namespace velmo {
namespace {

using toolkit::Component;

using Captioned = toolkit::CaptionedComponent;

// A component kind without a caption.
class Plain : public Component {
 public:
  using Component::Component;
};

class TranslationTest : public ::testing::Test {
 protected:
  TranslationContext Context(bool english) {
    return {OemuiTranslationTable(), english,
            [this](const std::wstring& form, const std::wstring& caption) { misses.push_back(form + L"|" + caption); }};
  }
  std::vector<std::wstring> misses;
};

TEST_F(TranslationTest, TablesHoldEveryRow) {
  EXPECT_EQ(OemuiTranslationTable().size(), 97u);  // with the dialog's Export... and Import...
  EXPECT_EQ(QindleTranslationTable().size(), 15u);  // with the address's Check and five message texts
  EXPECT_STREQ(OemuiTranslationTable()[1].english, L"Print\n&TestPage");
}

// A key marked on one side of a row only, or another letter on each side,
// leaves one language without the key the other has.
TEST_F(TranslationTest, EveryRowKeepsItsKeyInBothLanguages) {
  int keyed = 0;
  for (const auto& table : {OemuiTranslationTable(), QindleTranslationTable()}) {
    for (const TRANSLATE_PAIR& row : table) {
      const wchar_t key = toolkit::MnemonicOf(row.source);
      EXPECT_EQ(key, toolkit::MnemonicOf(row.english)) << row.formName << " " << row.source << " / " << row.english;
      keyed += key != 0;
    }
  }
  EXPECT_GT(keyed, 60);
}

// Of two rows with the same form and text, the second would never be used.
TEST_F(TranslationTest, NoRowHidesAnother) {
  for (const auto& table : {OemuiTranslationTable(), QindleTranslationTable()}) {
    std::set<std::wstring> seen;
    for (const TRANSLATE_PAIR& row : table)
      EXPECT_TRUE(seen.insert(std::wstring(row.formName) + L"|" + row.source).second) << row.formName << " " << row.source;
  }
}

TEST_F(TranslationTest, AMessageTextTakesItsRowInEnglishAndStaysAsDesignedOtherwise) {
  const auto table = QindleTranslationTable();
  EXPECT_EQ(TranslatedText(table, L"Form1", L"另一个安装正在运行。", true), L"Another installation is running.");
  EXPECT_EQ(TranslatedText(table, L"Form1", L"另一个安装正在运行。", false), L"另一个安装正在运行。");
  EXPECT_EQ(TranslatedText(table, L"frmMain", L"另一个安装正在运行。", true), L"另一个安装正在运行。")
      << "rows are keyed by form";
  EXPECT_EQ(TranslatedText(table, L"Form1", L"没有这一行", true), L"没有这一行");
}

TEST_F(TranslationTest, EnglishModeReplacesKnownCaptionsKeyedByForm) {
  Captioned main(nullptr, L"frmMain", L"打印机管理");
  auto* settings = new Captioned(&main, L"GroupBoxPrintEffect", L"打印设置");
  auto* button = new Captioned(&main, L"SpeedButtonPrinterSettings", L"打印机设置(&C)");
  auto* mid1 = new Captioned(&main, L"RadioButtonZoomAlignHCenter", L"中");
  auto* mid2 = new Captioned(&main, L"RadioButtonZoomAlignVCenter", L"中");
  TranslateComponentTree(Context(true), main);
  EXPECT_EQ(main.Caption(), L"PrinterManagement");
  EXPECT_EQ(settings->Caption(), L"Print Settings");
  EXPECT_EQ(button->Caption(), L"Printer\n&Config");
  EXPECT_EQ(mid1->Caption(), L"Mid");
  EXPECT_EQ(mid2->Caption(), L"Mid");
  EXPECT_TRUE(misses.empty());

  Captioned config(nullptr, L"frmPrinterConfig", L"打印机设置");
  auto* print = new Captioned(&config, L"GroupBox1", L"打印设置");
  TranslateComponentTree(Context(true), config);
  EXPECT_EQ(config.Caption(), L"PrinterConfig");
  EXPECT_EQ(print->Caption(), L"PrintSettings");
}

TEST_F(TranslationTest, MissesAreExactAndReportedInBothLanguages) {
  for (bool english : {true, false}) {
    misses.clear();
    Captioned paper(nullptr, L"frmEditPaper", L"编辑纸张");
    auto* no_blank = new Captioned(&paper, L"LabelWidth", L"宽度(mm):");  // the row has a trailing blank
    new Captioned(&paper, L"OtherForm", L"纸张选择");  // a row of frmMain only
    new Captioned(&paper, L"Empty", L"");
    new Plain(&paper, L"NoCaption");
    TranslateComponentTree(Context(english), paper);
    EXPECT_THAT(misses, ::testing::ElementsAre(L"frmEditPaper|宽度(mm):", L"frmEditPaper|纸张选择"));
    EXPECT_EQ(no_blank->Caption(), L"宽度(mm):");
    EXPECT_EQ(paper.Caption(), english ? L"Edit Paper Size" : L"编辑纸张");
  }
}

TEST_F(TranslationTest, WalkIsDepthFirstWithTheTopFormsName) {
  Captioned paper(nullptr, L"frmEditPaper", L"");
  auto* edit = new Captioned(&paper, L"LabeledEditName", L"x1");
  auto* label = new Captioned(edit, L"LabeledEditNameLabel", L"纸张名称(&N): ");
  new Captioned(label, L"Deep", L"x0");
  new Captioned(&paper, L"After", L"x2");
  TranslateComponentTree(Context(true), paper);
  EXPECT_EQ(label->Caption(), L"Paper&Name: ") << "the owned label is translated with the form's name";
  EXPECT_THAT(misses, ::testing::ElementsAre(L"frmEditPaper|x0", L"frmEditPaper|x1", L"frmEditPaper|x2"));
}

}  // namespace
}  // namespace velmo
