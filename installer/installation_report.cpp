#include "installation_report.h"

#include "translation.h"

namespace velmo {
namespace {

struct StepText {
  const wchar_t* english;
  const wchar_t* chinese;
};

StepText TextOf(InstallationStep step) {
  switch (step) {
    case InstallationStep::DriverSetup:
      return {L"the driver setup program did not complete", L"驱动安装程序未能完成"};
    case InstallationStep::DevconRescan:
      return {L"scanning for new devices failed", L"扫描新设备失败"};
    case InstallationStep::DevconRestart:
      return {L"restarting the USB printer failed", L"重新启动USB打印机失败"};
    case InstallationStep::PortCommand:
      return {L"creating the printer port failed", L"创建打印机端口失败"};
    case InstallationStep::QueueCommand:
      return {L"creating the printer queue failed", L"创建打印队列失败"};
    case InstallationStep::Elevation:  // a row of the program's table
    case InstallationStep::QueueWait:
      break;
  }
  return {L"the new printer queue did not appear", L"新的打印队列没有出现"};
}

std::wstring StepTextFor(InstallationStep step, bool english) {
  if (step == InstallationStep::Elevation)
    return TranslatedText(QindleTranslationTable(), L"Form1", L"未获得管理员权限", english);
  const StepText text = TextOf(step);
  return english ? text.english : text.chinese;
}

}  // namespace

NotInstalledMessage NotInstalledMessageFor(InstallationStep failedStep, bool english) {
  const std::wstring step = StepTextFor(failedStep, english);
  if (english) return {L"The printer was not installed: " + step + L".", L"InstallPrinter"};
  return {L"打印机没有安装：" + step + L"。", L"安装打印机"};
}

}  // namespace velmo
