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
};

}  // namespace

std::span<const TRANSLATE_PAIR> QindleTranslationTable() { return kQindleTable; }

}  // namespace velmo
