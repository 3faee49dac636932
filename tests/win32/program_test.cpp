// The built program: its version record, its icon, the DLLs it needs, and one run of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "resources/resource.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/win32/win32_common.h"
#include "window/win32/win32_window.h"

namespace quiz::testing {
namespace {

const std::wstring kProgram = [] {
  const std::string path = QUIZ_PROGRAM_PATH;
  return std::wstring(path.begin(), path.end());
}();

TEST(Win32Program, VersionRecordReadsBack) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::tuple(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                       fixed->dwProductVersionLS),
            std::tuple(0x00010000u, 0u, 0x00010000u, 0u));  // 1.0.0.0
  const std::pair<const wchar_t*, const char*> strings[] = {
      {L"FileVersion", QUIZ_VERSION_TEXT},         {L"ProductVersion", QUIZ_VERSION_TEXT},
      {L"CompanyName", QUIZ_COMPANY_NAME},         {L"ProductName", QUIZ_PRODUCT_NAME},
      {L"FileDescription", QUIZ_FILE_DESCRIPTION}, {L"OriginalFilename", QUIZ_ORIGINAL_FILENAME}};
  for (const auto& [name, expected] : strings) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040204B0\\") + name;
    wchar_t* value = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
        << ToUtf8(ui::win32::Utf16(name));
    EXPECT_EQ(ToUtf8(ui::win32::Utf16(value)), expected);
  }
}

// The program's file mapped as an image, its sections where they run; nullptr on failure.
const BYTE* MapProgram(HMODULE& module) {
  module = LoadLibraryExW(kProgram.c_str(), nullptr,
                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  // The handle of a module loaded as a resource is tagged in its low bits.
  return reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
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

  HMODULE program = nullptr;
  ASSERT_NE(MapProgram(program), nullptr);
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

TEST(Win32Program, NeedsOnlySystemDlls) {
  HMODULE program = nullptr;
  const BYTE* base = MapProgram(program);
  ASSERT_NE(base, nullptr);
  const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos.e_lfanew);
  const DWORD imports =
      nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  ASSERT_NE(imports, 0u);
  int dlls = 0;
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); d->Name; ++d) {
    std::string name(reinterpret_cast<const char*>(base + d->Name));
    ++dlls;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(name.rfind("lib", 0), 0u) << name << " is a run-time library, not a system DLL";
    // COM and the accessibility services are loaded once the window is up, if at all.
    EXPECT_NE(name, "ole32.dll");
    EXPECT_NE(name, "oleacc.dll");
    const std::wstring path = std::wstring(system) + L"\\" + std::wstring(name.begin(), name.end());
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
  EXPECT_GE(dlls, 4) << "the imports were not read";
  FreeLibrary(program);
}

TEST(Win32Program, OpensItsWindowAndEndsWhenItIsClosed) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + kProgram + L"\"";
  ASSERT_TRUE(CreateProcessW(kProgram.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  HWND window = nullptr;  // the quiz window of that process, once it shows
  for (int i = 0; i < 200 && (window == nullptr || !IsWindowVisible(window)); ++i) {
    Sleep(50);
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, ui::win32::kFormClassName, nullptr));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == process.dwProcessId) window = w;
    }
  }
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(ui::win32::WindowText(window), ui::Form().caption);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace quiz::testing
