#include "translation.h"

namespace velmo {

namespace {

// The captions of the installer window Form1.
constexpr TRANSLATE_PAIR kQindleTable[] = {
    {L"Form1", L"安装打印机", L"InstallPrinter"},
    {L"Form1", L"搜索到的打印机(&F)", L"Printer &Finded"},
    {L"Form1", L"安装打印机驱动(&D)", L"Install &Driver"},
    {L"Form1", L"安装USB打印机(&U)", L"Install &USB Printer"},
    {L"Form1", L"安装网络打印机(&N)", L"Install &Network Printer"},
    {L"Form1", L"I&P: ", L"I&P: "},
    {L"Form1", L"检查(&K)", L"Chec&k"},
    {L"Form1", L"型号(&M): ", L"&Model: "},
    {L"Form1", L"安装(&I)", L"&Install"},
    {L"Form1", L"取消(&C)", L"&Cancel"},
    // Message texts of the installation, not captions.
    {L"Form1", L"未获得管理员权限", L"administrator rights were refused"},
    {L"Form1", L"另一个安装正在运行。", L"Another installation is running."},
    {L"Form1", L"打印机没有删除：没有管理员权限。", L"The printer was not removed: it needs administrator rights."},
    {L"Form1", L"无法搜索 USB 打印机：程序所在文件夹的路径太长，设备控制台工具的命令行容纳不下。",
     L"USB printers cannot be searched: the path of the program's folder is too long for the device console tool's "
     L"command line."},
    {L"Form1", L"%1 在 %2 应答；它报告的地址是 %3。", L"%1 answered at %2; it reports %3."},
};

}  // namespace

std::span<const TRANSLATE_PAIR> QindleTranslationTable() { return kQindleTable; }

}  // namespace velmo
