#include "translation.h"

namespace velmo {

namespace {

// The captions of the installer window Form1.
constexpr TRANSLATE_PAIR kQindleTable[] = {
    {L"Form1", L"安装打印机", L"InstallPrinter"},
    {L"Form1", L"搜索到的打印机", L"Printer Finded"},
    {L"Form1", L"安装打印机驱动", L"Install Driver"},
    {L"Form1", L"安装USB打印机", L"Install USB Printer"},
    {L"Form1", L"安装网络打印机", L"Install Network Printer"},
    {L"Form1", L"IP: ", L"IP: "},
    {L"Form1", L"检查", L"Check"},
    {L"Form1", L"型号: ", L"Model: "},
    {L"Form1", L"安装", L"Install"},
    {L"Form1", L"取消", L"Cancel"},
    // Message texts of the installation, not captions.
    {L"Form1", L"未获得管理员权限", L"administrator rights were refused"},
    {L"Form1", L"另一个安装正在运行。", L"Another installation is running."},
    {L"Form1", L"%1 在 %2 应答；它报告的地址是 %3。", L"%1 answered at %2; it reports %3."},
};

}  // namespace

std::span<const TRANSLATE_PAIR> QindleTranslationTable() { return kQindleTable; }

}  // namespace velmo
