// The message loop of a program built on the toolkit.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

class Form;

// Registers the common controls (version 6 through the program's manifest).
// Forms call it themselves; calling it again does nothing.
void InitializeToolkit();

// Shows `mainForm` and handles messages until it closes (or WM_QUIT
// arrives); closing the main form ends the loop. Returns WM_QUIT's code.
int Run(Form& mainForm);
bool IsMainForm(const Form& form);

// Handles one message, waiting for one if none is pending. Returns false
// once WM_QUIT has arrived, so that nested loops unwind to Run.
bool ProcessOneMessage();
// Handles the messages already pending, without waiting.
void ProcessMessages();

// MessageBoxW, for texts built at run time.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);

}  // namespace toolkit
