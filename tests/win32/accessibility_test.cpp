// The result box for assistive technology: a live region whose every new result is
// announced while the focus stays where it was, and its accessible name.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/scenarios/expectations.h"
#include "tests/scenarios/scenario_table.h"
#include "tests/win32/win32_driver.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace quiz::testing {
namespace {

// Live-region events, as a screen reader gets them: hooked out of context, delivered
// through this thread's message queue.
std::vector<HWND> live_region_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) live_region_events.push_back(window);
}

// The events that arrived since the last call, waiting a little for late ones.
std::vector<HWND> TakeEvents(Win32Driver& d, std::size_t expected) {
  for (int i = 0; i < 50 && live_region_events.size() < expected; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    d.Pump();
  }
  d.Pump();
  std::vector<HWND> events;
  events.swap(live_region_events);
  return events;
}

TEST(Win32Accessibility, EveryResultIsAnnouncedForTheResultBoxWhileTheFocusStays) {
  Win32Driver d;
  live_region_events.clear();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                      &OnWinEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  const HWND box = d.Live(ui::ResultBox());
  const auto announced_once = [&](const char* how) {
    EXPECT_EQ(TakeEvents(d, 1), std::vector<HWND>{box}) << how;
  };
  // Choosing writes no result and announces nothing.
  d.ClickPerson(3);
  d.ClickAchievement(3);
  EXPECT_EQ(TakeEvents(d, 0).size(), 0u);
  d.ClickCommand(0);
  announced_once("mouse on Command1(0)");
  d.ClickCommand(1);
  announced_once("mouse on Command1(1)");
  SetFocus(box);
  for (int i = 0; i < 3; ++i) d.PressKey(VK_TAB);  // past both groups
  ASSERT_EQ(d.Focused(), ui::CommandButton(0));
  d.PressKey(VK_SPACE);
  announced_once("Space on Command1(0)");
  d.PressKey(VK_RETURN);
  announced_once("Enter on Command1(0)");
  d.PressKey(VK_TAB);
  d.PressKey(VK_SPACE);
  announced_once("Space on Command1(1)");
  EXPECT_EQ(d.Focused(), ui::CommandButton(1));
  EXPECT_EQ(d.ResultText(), ExpectedResult("clear"));
  UnhookWinEvent(hook);
}

// The result box's accessible name, as a screen reader reads it; empty where it has none.
std::u16string AccessibleName(HWND box) {
  IAccessible* accessible = nullptr;
  if (AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                 reinterpret_cast<void**>(&accessible)) != S_OK) {
    return {};
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::u16string text;
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
    text.assign(name, name + SysStringLen(name));
  }
  SysFreeString(name);
  accessible->Release();
  return text;
}

// The name a screen reader reads for the result box, through the system's accessibility
// services (set once the window has been drawn).
TEST(Win32Accessibility, ResultBoxIsNamed) {
  Win32Driver d;
  const HWND box = d.Live(ui::ResultBox());
  const std::string_view name =
      std::find_if(std::begin(kWindow), std::end(kWindow), [&](const Placed& p) {
        return ControlNamed(p.control) == ui::ResultBox();
      })->name;
  const auto named = [&] { return ToUtf8(AccessibleName(box)) == name; };
  for (int i = 0; i < 100 && !named(); ++i) {
    Sleep(10);
    d.Pump();
  }
  if (!named() && GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
    GTEST_SKIP() << "Wine's accessible-property service takes no properties (E_NOTIMPL)";
  }
  EXPECT_EQ(ToUtf8(AccessibleName(box)), name);
}

}  // namespace
}  // namespace quiz::testing
