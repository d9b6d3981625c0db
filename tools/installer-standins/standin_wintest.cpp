// The built stand-ins run as the installer runs them: a process with a command
// line of our choosing, its output read from pipes, its log and device file
// in its own folder.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Backslashed(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

const std::string kBuilt = Backslashed(VELMO_STANDINS_DIR);

struct Finished {
  std::string out, err;
  DWORD exit_code = 0xFFFFFFFF;
};

std::string ReadAll(HANDLE pipe) {
  std::string text;
  char chunk[1024];
  DWORD got = 0;
  while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  CloseHandle(pipe);
  return text;
}

Finished Start(std::string command_line, const std::string& current_folder) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out_read, out_write, err_read, err_write;
  CreatePipe(&out_read, &out_write, &inherit, 0);
  CreatePipe(&err_read, &err_write, &inherit, 0);
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION process{};
  Finished run;
  const BOOL started = CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      current_folder.c_str(), &startup, &process);
  CloseHandle(out_write);
  CloseHandle(err_write);
  // The outputs are a few lines, well inside a pipe's buffer, so one pipe
  // after the other cannot stall the child.
  run.out = ReadAll(out_read);
  run.err = ReadAll(err_read);
  if (!started) {
    ADD_FAILURE() << "CreateProcessA failed, error " << GetLastError() << ": " << command_line;
    return run;
  }
  WaitForSingleObject(process.hProcess, 30000);
  GetExitCodeProcess(process.hProcess, &run.exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return run;
}

std::string ReadFileText(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  return file == INVALID_HANDLE_VALUE ? std::string() : ReadAll(file);
}

void WriteFileText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// Each test gets a fresh folder with copies of the stand-ins, as the
// end-to-end tests place them beside the installer.
class Standins : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "velmo-standins-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    for (const char* name : {"devcon_x64.exe", "devcon_x32.exe", "Drovik.exe", "cscript.exe", "rundll32.exe",
                             "control.exe", "prnport.vbs"}) {
      ASSERT_TRUE(CopyFileA((kBuilt + "\\" + name).c_str(), Path(name).c_str(), FALSE)) << name;
    }
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileA(Path(found.cFileName).c_str());
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  // Named by full path: a bare name would find the built copy beside this test
  // program first, as Windows looks in the starting program's folder first.
  std::string Exe(const std::string& name) const { return "\"" + Path(name) + "\""; }
  // Started from the stand-ins' own folder, as the installer starts them.
  Finished In(const std::string& command_line) { return Start(command_line, folder_); }

  std::string folder_;
};

TEST_F(Standins, DevconAnswersFromTheDeviceFileAndLogsEveryRun) {
  WriteFileText(Path("devcon_devices.txt"),
                "# one Velmo printer and an unnamed device\r\n"
                "USB\\VID_1FC9&PID_2016|usb\\vid_1fc9&pid_2016\\5&1a2b&0&1|Velmo LT42\r\n"
                "USB\\VID_1FC9&PID_2099|USB\\VID_1FC9&PID_2099\\5&9|\r\n"
                "USB\\VID_0483&PID_5740|USB\\VID_0483&PID_5740\\6&2B|Other\r\n");
  const std::string status = Exe("devcon_x64.exe") + " status \"USB\\VID_1FC9*\"";
  Finished run = In(status);
  EXPECT_EQ(run.out,
            "USB\\VID_1FC9&PID_2016\\5&1A2B&0&1\r\n    Name: Velmo LT42\r\n    Driver is running.\r\n"
            "USB\\VID_1FC9&PID_2099\\5&9\r\n    Driver is running.\r\n"
            "2 matching device(s) found.\r\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.exit_code, 0u);

  // Unplugged: the next run reads the rewritten file.
  WriteFileText(Path("devcon_devices.txt"), "USB\\VID_0483&PID_5740|USB\\VID_0483&PID_5740\\6&2B|\n");
  const std::string again = Exe("devcon_x32.exe") + "  status USB\\VID_1FC9*";
  EXPECT_EQ(In(again).out, "No matching devices found.\r\n");
  const std::string restart = Exe("devcon_x64.exe") + " restart \"USB\\Class_07&SubClass_01&Prot_02\"";
  EXPECT_EQ(In(restart).out, "USB\\VID_0483&PID_5740\\6&2B: Restarted\r\n1 device(s) restarted.\r\n");

  const std::string wrong = Exe("devcon_x64.exe") + " install x.inf";
  run = In(wrong);
  EXPECT_EQ(run.exit_code, 1u);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err, "");

  EXPECT_EQ(ReadFileText(Path("standin.log")),
            status + "\n" + again + "\n" + restart + "\n" + wrong + "\n");
}

TEST_F(Standins, ScriptHostFindsTheScriptFromTheCurrentFolder) {
  Finished run = In(Exe("cscript.exe") + " //nologo missing.vbs -a");
  EXPECT_EQ(run.out, "Input Error: Can not find script file \"" + Path("missing.vbs") + "\".\r\n");
  EXPECT_EQ(run.exit_code, 1u);

  run = In(Exe("cscript.exe") + " //nologo prnport.vbs -a -r IP_192.168.1.50 -h 192.168.1.50 -o raw -n 9100");
  EXPECT_EQ(run.out, "Created/updated port IP_192.168.1.50\r\n");
  EXPECT_EQ(run.exit_code, 0u);
}

TEST_F(Standins, DriverSetupAndControlOnlyRecord) {
  const std::string setup = Exe("Drovik.exe") + " /S /model=\"Velmo LT42\"", control = Exe("control.exe") + " printers";
  for (const std::string& command_line : {setup, control}) {
    const Finished run = In(command_line);
    EXPECT_EQ(run.out + run.err, "") << command_line;
    EXPECT_EQ(run.exit_code, 0u) << command_line;
  }
  EXPECT_EQ(ReadFileText(Path("standin.log")), setup + "\n" + control + "\n");
}

struct Queue {
  std::string name, port, driver;
};

// Every local queue, as the installer looks for the one it added.
std::vector<Queue> LocalQueues() {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  std::vector<Queue> queues;
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) return queues;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    queues.push_back({printers[i].pPrinterName, printers[i].pPortName, printers[i].pDriverName});
  }
  return queues;
}

bool DeleteQueue(const std::string& name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) return false;
  const BOOL deleted = DeletePrinter(printer);
  ClosePrinter(printer);
  return deleted;
}

TEST_F(Standins, PrintUiAddsTheQueueToTheSpooler) {
  const std::string queue = "Velmo Standin LT42 (test)", model = "Velmo Standin LT42";
  DeleteQueue(queue);
  const Finished run = In(Exe("rundll32.exe") + " printui.dll,PrintUIEntry /if /b \"" + queue +
                          "\" /f \"C:\\drivers\\velmo.inf\" /r \"USB007\" /m \"" + model + "\" /z");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.exit_code, 0u);

  bool listed = false;
  for (const Queue& found : LocalQueues()) {
    if (found.name != queue) continue;
    listed = true;
    EXPECT_EQ(found.port, "USB007");
    EXPECT_EQ(found.driver, model);
  }
  EXPECT_TRUE(listed);
  EXPECT_TRUE(DeleteQueue(queue));
  DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(model.c_str()));
}

TEST_F(Standins, DevconRestartSetsUpTheQueueOfEachNamedPrinter) {
  const std::string model = "Velmo Standin LT43 (test)";
  DeleteQueue(model);
  WriteFileText(Path("devcon_devices.txt"), "USBPRINT\\VelmoLT43|USBPRINT\\VELMOLT43\\7&11&0&USB009|" + model + "\r\n");
  const Finished run = In(Exe("devcon_x64.exe") + " restart *class_07*");
  EXPECT_EQ(run.err, "");
  int listed = 0;
  for (const Queue& found : LocalQueues()) {
    if (found.name != model) continue;
    ++listed;
    EXPECT_EQ(found.port, "USB009");
    EXPECT_EQ(found.driver, model);
  }
  EXPECT_EQ(listed, 1);
  EXPECT_TRUE(DeleteQueue(model));
  DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(model.c_str()));
}

}  // namespace
