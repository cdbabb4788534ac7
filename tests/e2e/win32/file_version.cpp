// Test helper: prints what Windows shows of a file's version (the Details
// tab of its Properties) and, for a program with a manifest, the DPI
// settings Windows reads from it, one line each:
//
//   version A.B.C.D            the fixed file version
//   NAME=VALUE                 the strings of the US-English block
//   dpiAware=VALUE, dpiAwareness=VALUE
//
//   file_version.exe FILE
//
// Exit status 0; 1 when the file has no version resource.
#include <windows.h>

#include <string>
#include <vector>

namespace {

void out(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  char bytes[1024];
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, n > 0 ? n - 1 : 0, &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const wchar_t* file = argv[1];
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoW(file, 0, size, info.data())) return 1;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  if (VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len))
    out(L"version " + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
        std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
        std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
        std::to_wstring(LOWORD(fixed->dwFileVersionLS)));
  for (const wchar_t* name : {L"ProductName", L"FileDescription", L"FileVersion", L"ProductVersion",
                              L"OriginalFilename", L"LegalCopyright"}) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &len))
      out(std::wstring(name) + L"=" + value);
  }

  ACTCTXW actctx{};
  actctx.cbSize = sizeof actctx;
  actctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  actctx.lpSource = file;
  actctx.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE context = CreateActCtxW(&actctx);
  if (context == INVALID_HANDLE_VALUE) return 0;
  const struct {
    const wchar_t *space, *name;
  } settings[] = {{L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"},
                  {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"}};
  for (const auto& s : settings) {
    wchar_t value[256] = {0};
    SIZE_T written = 0;
    if (QueryActCtxSettingsW(0, context, s.space, s.name, value, 256, &written))
      out(std::wstring(s.name) + L"=" + value);
  }
  ReleaseActCtx(context);
  return 0;
}
