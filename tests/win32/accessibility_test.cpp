// The result box for assistive technology: a live region whose every new result is
// announced while the focus stays where it was, and its accessible name.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/win32_driver.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace quiz::testing {
namespace {

std::vector<HWND> live_region_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
  if (event == EVENT_OBJECT_LIVEREGIONCHANGED && object == OBJID_CLIENT && child == CHILDID_SELF) {
    live_region_events.push_back(window);
  }
}

// Live-region events, as a screen reader gets them: hooked out of context, delivered
// through this thread's message queue.
class LiveRegionEvents {
 public:
  explicit LiveRegionEvents(Win32Driver& d) : d_(d) {
    live_region_events.clear();
    hook_ = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                            &OnWinEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  ~LiveRegionEvents() { UnhookWinEvent(hook_); }
  LiveRegionEvents(const LiveRegionEvents&) = delete;
  LiveRegionEvents& operator=(const LiveRegionEvents&) = delete;
  bool hooked() const { return hook_ != nullptr; }

  // The events that arrived since the last call, waiting a little for late ones.
  std::vector<HWND> Take(std::size_t expected) {
    for (int i = 0; i < 50 && live_region_events.size() < expected; ++i) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      d_.Pump();
    }
    d_.Pump();
    std::vector<HWND> events;
    events.swap(live_region_events);
    return events;
  }

 private:
  Win32Driver& d_;
  HWINEVENTHOOK hook_ = nullptr;
};

TEST(Win32Accessibility, EveryResultIsAnnouncedForTheResultBoxWhileTheFocusStays) {
  Win32Driver d;
  LiveRegionEvents events(d);
  ASSERT_TRUE(events.hooked());
  const HWND box = d.Live(ui::ResultBox());
  const std::vector<HWND> once{box};

  // Choosing writes no result and announces nothing.
  d.ClickPerson(3);
  d.ClickAchievement(3);
  EXPECT_EQ(events.Take(0).size(), 0u);
  // The mouse on each command button: one announcement per press.
  d.ClickCommand(0);
  EXPECT_EQ(events.Take(1), once) << "\"Изведи\" with the mouse";
  d.ClickCommand(1);
  EXPECT_EQ(events.Take(1), once) << "\"Чисти\" with the mouse";

  // Space and Enter on the focused buttons: announced, and the focus stays on the button.
  SetFocus(box);
  d.PressKey(VK_TAB);  // the persons
  d.PressKey(VK_TAB);  // the achievements
  d.PressKey(VK_TAB);
  const HWND show = d.Live(ui::CommandButton(0)), clear = d.Live(ui::CommandButton(1));
  ASSERT_EQ(GetFocus(), show);
  d.PressKey(VK_SPACE);
  EXPECT_EQ(events.Take(1), once) << "Space on \"Изведи\"";
  EXPECT_EQ(GetFocus(), show);
  d.PressKey(VK_RETURN);
  EXPECT_EQ(events.Take(1), once) << "Enter on \"Изведи\"";
  d.PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), clear);
  d.PressKey(VK_SPACE);
  EXPECT_EQ(events.Take(1), once) << "Space on \"Чисти\"";
  EXPECT_EQ(GetFocus(), clear);
  EXPECT_EQ(d.ResultText(), u"Направете своя избор!");
}

// The name a screen reader reads for the result box, through the system's accessibility
// services (set once the window has been drawn).
TEST(Win32Accessibility, ResultBoxIsNamed) {
  Win32Driver d;
  for (int i = 0; i < 100 && !win32::AccessibilityReady(d.window()); ++i) {
    Sleep(10);
    d.Pump();
  }
  if (!win32::AccessibilityReady(d.window())) {
    // Wine 8 creates the service, but its SetHwndProp and SetHwndPropStr answer E_NOTIMPL.
    GTEST_SKIP() << "the system's accessible-property service did not take the properties";
  }
  IAccessible* accessible = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(d.Live(ui::ResultBox()), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&accessible)),
            S_OK);
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT got = accessible->get_accName(self, &name);
  const std::u16string text =
      name != nullptr ? std::u16string(name, name + SysStringLen(name)) : std::u16string();
  SysFreeString(name);
  accessible->Release();
  ASSERT_EQ(got, S_OK);
  EXPECT_EQ(text, u"Резултат");
}

}  // namespace
}  // namespace quiz::testing
