#include "window/win32/result_box.h"

#include <oleacc.h>

#include "window/win32/win32_common.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace quiz::ui::win32 {
namespace {

// The system's accessible-property service, its interface, and the two properties set
// here; defined here so that the program links no GUID library.
constexpr CLSID kAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr GUID kNameProperty{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

LRESULT CALLBACK ResultBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto base = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_USERDATA));
  LRESULT result = CallWindowProcW(base, box, message, wparam, lparam);
  if (message == WM_GETDLGCODE) {
    result &= ~static_cast<LRESULT>(DLGC_HASSETSEL | DLGC_WANTALLKEYS | DLGC_WANTTAB);
  }
  return result;
}

}  // namespace

LONG SystemLiveSetting(LiveSetting live) {
  switch (live) {
    case LiveSetting::Off:
      return 0;
    case LiveSetting::Polite:
      return 1;
    case LiveSetting::Assertive:
      return 2;
  }
  return 0;
}

void SubclassResultBox(HWND box) {
  SetWindowLongPtrW(box, GWLP_USERDATA, GetWindowLongPtrW(box, GWLP_WNDPROC));
  SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ResultBoxProc));
}

void AnnounceResult(HWND box) {
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, box, OBJID_CLIENT, CHILDID_SELF);
}

bool ResultBoxAccessibility::Attach(HWND box, const Control& def) {
  Detach();
  // COM is loaded only here, after the window is up, so that starting needs none of it.
  ole32_ = LoadLibraryW(L"ole32.dll");
  if (ole32_ == nullptr) return false;
  const auto initialize = ModuleFunction<HRESULT(WINAPI*)(void*, DWORD)>(ole32_, "CoInitializeEx");
  const auto create = ModuleFunction<HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**)>(
      ole32_, "CoCreateInstance");
  if (initialize == nullptr || create == nullptr) return false;
  const HRESULT init = initialize(nullptr, COINIT_APARTMENTTHREADED);
  com_initialized_ = SUCCEEDED(init);  // else the thread has COM already, in another mode
  void* services = nullptr;
  if (FAILED(
          create(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices, &services)) ||
      services == nullptr) {
    return false;
  }
  services_ = static_cast<IAccPropServices*>(services);
  box_ = box;
  VARIANT live{};
  live.vt = VT_I4;
  live.lVal = SystemLiveSetting(def.live);
  const std::wstring text = Wide(def.accessible_name);
  const bool live_set = SUCCEEDED(services_->SetHwndProp(box, static_cast<DWORD>(OBJID_CLIENT),
                                                         CHILDID_SELF, kLiveSettingProperty, live));
  const bool name_set = SUCCEEDED(services_->SetHwndPropStr(
      box, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kNameProperty, text.c_str()));
  return live_set && name_set;
}

void ResultBoxAccessibility::Detach() {
  if (services_ != nullptr) {
    const MSAAPROPID properties[] = {kLiveSettingProperty, kNameProperty};
    services_->ClearHwndProps(box_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties, 2);
    services_->Release();
    services_ = nullptr;
  }
  if (com_initialized_) {
    if (const auto uninitialize = ModuleFunction<void(WINAPI*)()>(ole32_, "CoUninitialize")) {
      uninitialize();
    }
    com_initialized_ = false;
  }
  if (ole32_ != nullptr) FreeLibrary(ole32_);
  ole32_ = nullptr;
  box_ = nullptr;
}

}  // namespace quiz::ui::win32
