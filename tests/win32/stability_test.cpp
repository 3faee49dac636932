// Thousands of clicks and repaints leave the number of GDI and USER objects flat: no
// brush, font or window is made per message.
#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <cstdio>

#include "tests/win32/win32_driver.h"

namespace quiz::testing {
namespace {

// GDI objects of this process. Where GetGuiResources answers 0 (Wine), counted in Wine's GDI
// handle table, which the process environment block points to: the process's own, the
// owner left blank, the same layout for 32- and 64-bit programs.
DWORD GdiObjects() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  struct Entry {
    UINT64 object;
    USHORT process_id, lock, unique;
    BYTE type, flags;
    UINT64 user;
  };
  static_assert(sizeof(Entry) == 24);
  PROCESS_BASIC_INFORMATION info{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                                nullptr) != 0) {
    return 0;
  }
  const auto* peb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
  constexpr std::size_t kTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableInPeb);
  if (table == nullptr) return 0;
  const auto self = static_cast<USHORT>(GetCurrentProcessId());
  DWORD n = 0;
  for (int i = 0; i < 0x10000; ++i) {
    const USHORT owner = table[i].process_id;
    n += table[i].type != 0 && (owner == self || owner == 0) ? 1 : 0;
  }
  return n;
}

// USER objects of this process. Where GetGuiResources says nothing (Wine answers 0), the
// windows of this thread and their descendants: the USER objects the quiz window makes.
BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
    EnumChildWindows(window, &CountWindow, count);  // every descendant of a top-level window
  }
  return TRUE;
}

DWORD UserObjects() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return n;
  DWORD n = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

TEST(Win32Stability, ObjectCountsStayFlatOverThousandsOfEvents) {
  Win32Driver d;
  const auto dpi_change = [&](UINT dpi) {
    RECT r;
    GetWindowRect(d.window(), &r);
    SendMessageW(d.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
  };
  const auto round = [&](int i) {
    d.ClickPerson(i % 9);
    d.ClickAchievement((i * 7) % 9);
    d.ClickCommand(i % 3 == 0 ? 1 : 0);
    RedrawWindow(d.window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    d.Pump();
  };
  // A first round and DPI change fill the system's caches (Wine keeps a few objects per
  // font size it has realised); growth is counted from there.
  for (int i = 0; i < 3; ++i) {
    round(i);
    if (i < 2) dpi_change(i == 0 ? 144 : 96);
  }
  const DWORD gdi_before = GdiObjects();
  const DWORD user_before = UserObjects();
  for (int i = 0; i < 1000; ++i) {
    round(i);
    if (i % 250 == 100) dpi_change(144);
    if (i % 250 == 200) dpi_change(96);
  }
  const DWORD gdi_after = GdiObjects();
  const DWORD user_after = UserObjects();
  std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu\n", gdi_before, gdi_after,
              user_before, user_after);
  EXPECT_GT(gdi_before, 0u) << "no way to count GDI objects here";
  EXPECT_GE(user_before, 26u) << "the form and its 25 controls are not counted";
  EXPECT_LE(gdi_after, gdi_before + 2);
  EXPECT_LE(user_after, user_before + 2);
}

}  // namespace
}  // namespace quiz::testing
