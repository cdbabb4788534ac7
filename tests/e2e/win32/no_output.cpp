// Test helper: runs a program with this process's standard input and no
// standard output or error at all (null handles), as a program started
// with only its input redirected and nowhere to write, or from a shortcut;
// waits for it and ends with its exit status (255 when it cannot be
// started).
//
//   no_output.exe PROGRAM [ARGUMENT...]
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string command;
  for (int i = 1; i < argc; ++i) command += std::string(i > 1 ? " \"" : "\"") + argv[i] + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = nullptr;
  si.hStdError = nullptr;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                      &pi))
    return 255;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD status = 255;
  GetExitCodeProcess(pi.hProcess, &status);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(status);
}
