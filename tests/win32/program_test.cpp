// The built program: its version record, its icon, the DLLs it needs, and one run of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "window/definition.h"
#include "window/win32/win32_common.h"
#include "window/win32/win32_window.h"

namespace quiz::testing {
namespace {

const std::wstring kProgram = [] {
  const std::string path = QUIZ_PROGRAM_PATH;
  return std::wstring(path.begin(), path.end());
}();

std::wstring FromUtf8(const char* text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}

TEST(Win32Program, VersionRecordReadsBack) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  const std::pair<const wchar_t*, const char*> strings[] = {
      {L"FileVersion", QUIZ_VERSION_TEXT},         {L"ProductVersion", QUIZ_VERSION_TEXT},
      {L"CompanyName", QUIZ_COMPANY_NAME},         {L"ProductName", QUIZ_PRODUCT_NAME},
      {L"FileDescription", QUIZ_FILE_DESCRIPTION}, {L"OriginalFilename", QUIZ_ORIGINAL_FILENAME}};
  for (const auto& [name, expected] : strings) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040204B0\\") + name;
    wchar_t* value = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
        << std::string(name, name + wcslen(name));
    EXPECT_EQ(std::wstring(value), FromUtf8(expected));
  }
}

// The program's icon resource is the image of the icon file, 32 x 32 at 8 bits per pixel.
TEST(Win32Program, IconIsTheIconFilesImage) {
  std::ifstream file(QUIZ_ICON_FILE, std::ios::binary);
  ASSERT_TRUE(file) << QUIZ_ICON_FILE;
  const std::vector<unsigned char> ico((std::istreambuf_iterator<char>(file)), {});
  ASSERT_GE(ico.size(), 22u);
  const auto u16 = [&](std::size_t at) { return ico[at] | ico[at + 1] << 8; };
  const auto u32 = [&](std::size_t at) {
    return static_cast<std::size_t>(u16(at) | u16(at + 2) << 16);
  };
  ASSERT_EQ(u16(4), 1);  // one image
  const std::size_t bytes = u32(6 + 8), offset = u32(6 + 12);

  const HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  const HRSRC group_info = FindResourceW(program, MAKEINTRESOURCEW(QUIZ_ICON_ID), RT_GROUP_ICON);
  ASSERT_NE(group_info, nullptr);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(program, group_info)));
  ASSERT_EQ(group[4] | group[5] << 8, 1);  // one image
  const BYTE* entry = group + 6;           // width, height, colours, reserved, planes, bits...
  EXPECT_EQ(entry[0], 32);
  EXPECT_EQ(entry[1], 32);
  EXPECT_EQ(entry[6] | entry[7] << 8, 8);
  const WORD image_id = static_cast<WORD>(entry[12] | entry[13] << 8);
  const HRSRC image_info = FindResourceW(program, MAKEINTRESOURCEW(image_id), RT_ICON);
  ASSERT_NE(image_info, nullptr);
  ASSERT_EQ(SizeofResource(program, image_info), bytes);
  const auto* image =
      static_cast<const unsigned char*>(LockResource(LoadResource(program, image_info)));
  EXPECT_TRUE(std::equal(image, image + bytes, ico.begin() + static_cast<std::ptrdiff_t>(offset)));
  FreeLibrary(program);
}

// The names of the DLLs a program imports, read from its file.
std::vector<std::string> ImportedDlls(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  const std::vector<char> image((std::istreambuf_iterator<char>(file)), {});
  std::vector<std::string> names;
  if (image.size() < sizeof(IMAGE_DOS_HEADER)) return names;
  const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos.e_lfanew);
  const auto* sections = IMAGE_FIRST_SECTION(&nt);
  const auto at = [&](DWORD rva) -> const char* {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
        return image.data() + s.PointerToRawData + (rva - s.VirtualAddress);
      }
    }
    return nullptr;
  };
  const DWORD imports =
      nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(imports)); d && d->Name; ++d) {
    names.emplace_back(at(d->Name));
  }
  return names;
}

TEST(Win32Program, NeedsOnlySystemDlls) {
  const std::vector<std::string> dlls = ImportedDlls(kProgram);
  ASSERT_FALSE(dlls.empty());
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  for (std::string name : dlls) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(name.rfind("lib", 0), 0u) << name << " is a run-time library, not a system DLL";
    // COM and the accessibility services are loaded once the window is up, if at all.
    EXPECT_NE(name, "ole32.dll");
    EXPECT_NE(name, "oleacc.dll");
    const std::wstring path = std::wstring(system) + L"\\" + std::wstring(name.begin(), name.end());
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
}

BOOL CALLBACK FindQuizWindow(HWND window, LPARAM found) {
  auto& [process, result] = *reinterpret_cast<std::pair<DWORD, HWND>*>(found);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64];
  if (owner == process && GetClassNameW(window, name, 64) &&
      std::wstring(name) == ui::win32::kFormClassName) {
    result = window;
    return FALSE;
  }
  return TRUE;
}

TEST(Win32Program, OpensItsWindowAndEndsWhenItIsClosed) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + kProgram + L"\"";
  ASSERT_TRUE(CreateProcessW(kProgram.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  std::pair<DWORD, HWND> found{process.dwProcessId, nullptr};
  for (int i = 0; i < 200 && (found.second == nullptr || !IsWindowVisible(found.second)); ++i) {
    Sleep(50);
    EnumWindows(&FindQuizWindow, reinterpret_cast<LPARAM>(&found));
  }
  ASSERT_NE(found.second, nullptr);
  EXPECT_TRUE(IsWindowVisible(found.second));
  EXPECT_EQ(ui::win32::WindowText(found.second), ui::Form().caption);
  PostMessageW(found.second, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace quiz::testing
