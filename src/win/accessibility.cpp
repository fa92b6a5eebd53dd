#include "accessibility.h"

#include <commctrl.h>
#include <oleacc.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

namespace {

// The identities used, defined here rather than by the libraries of the
// whole of oleacc.h.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr GUID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kProviderInterface = {
    0xd6dd68d1, 0x86fd, 0x4332, {0x86, 0x66, 0x9a, 0xbe, 0xde, 0xa2, 0xd2, 0x4c}};
constexpr LONG kPolite = 1;         // LiveSetting
constexpr int kActionCompleted = 2; // NotificationKind
constexpr int kImportantAll = 0;    // NotificationProcessing
constexpr LONG kCustomControlType = 50025;
constexpr LONG kUiaRootObjectId = -25;
constexpr DWORD kLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED, Windows 8 on
constexpr const wchar_t* kNotifierClass = L"TesmoAnnouncements";

using THostProvider = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using TReturnProvider = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
using TDisconnectProvider = HRESULT(WINAPI*)(IRawElementProviderSimple*);

// A call of uiautomationcore.dll, loaded when first asked for; null where
// the system lacks it.
HMODULE UiaCore() {
  static const HMODULE dll = LoadLibraryW(L"uiautomationcore.dll");
  return dll;
}
template <typename TCall> TCall UiaCall(const char* name) {
  const HMODULE dll = UiaCore();
  if (dll == nullptr) return nullptr;
  return reinterpret_cast<TCall>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

// The element the notifications are raised on: no control, never in the
// tree a screen reader walks, hosted by the window that answers for it.
class TProvider final : public IRawElementProviderSimple {
public:
  explicit TProvider(HWND window)
      : Window(window), Host(UiaCall<THostProvider>("UiaHostProviderFromHwnd")) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != kProviderInterface) return E_NOINTERFACE;
    *object = static_cast<IRawElementProviderSimple*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&References); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&References);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    if (options == nullptr) return E_POINTER;
    *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                            ProviderOptions_UseComThreading);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
    if (pattern == nullptr) return E_POINTER;
    *pattern = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override {
    if (value == nullptr) return E_POINTER;
    value->vt = VT_EMPTY;
    switch (property) {
    case UIA_ControlTypePropertyId: // never read out as a window of its own
      value->vt = VT_I4;
      value->lVal = kCustomControlType;
      break;
    case UIA_IsControlElementPropertyId:
    case UIA_IsContentElementPropertyId:
    case UIA_IsKeyboardFocusablePropertyId:
      value->vt = VT_BOOL;
      value->boolVal = VARIANT_FALSE;
      break;
    default:
      break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
    if (host == nullptr) return E_POINTER;
    *host = nullptr;
    return Host != nullptr ? Host(Window, host) : S_OK;
  }

private:
  ~TProvider() = default;

  LONG References = 1;
  HWND Window;
  THostProvider Host;
};

LRESULT CALLBACK NotifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == kUiaRootObjectId) {
    static const auto answer = UiaCall<TReturnProvider>("UiaReturnRawElementProvider");
    auto* provider =
        reinterpret_cast<IRawElementProviderSimple*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (answer != nullptr && provider != nullptr) return answer(window, wParam, lParam, provider);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A window of one pixel, which notifications need: from a window of no size
// they are dropped. It draws nothing, takes no input and stands behind the
// window's controls.
HWND CreateNotifierWindow(HWND parent) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = NotifierProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kNotifierClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return nullptr;
  HWND window =
      CreateWindowExW(WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, kNotifierClass, L"",
                      WS_CHILD | WS_DISABLED, 0, 0, 1, 1, parent, nullptr, instance, nullptr);
  if (window != nullptr)
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return window;
}

} // namespace

TRaiseNotification SystemNotification() {
  return UiaCall<TRaiseNotification>("UiaRaiseNotificationEvent");
}

TFindNotification FindNotification = SystemNotification;

TAccessibility::~TAccessibility() {
  for (const auto& [control, name] : Names)
    if (IsWindow(control)) RemoveWindowSubclass(control, NamedControlProc, 0);
  if (Provider != nullptr) {
    if (IsWindow(NotifierWindow)) DestroyWindow(NotifierWindow);
    // Clients that still hold the element are told it is gone.
    if (const auto disconnect = UiaCall<TDisconnectProvider>("UiaDisconnectProvider"))
      disconnect(Provider);
    Provider->Release();
  }
  if (Properties != nullptr) Properties->Release();
  if (ComStarted) CoUninitialize();
}

void TAccessibility::Attach(HWND window, HWND liveRegion) {
  Window = window;
  LiveRegion = liveRegion;
}

void TAccessibility::SetName(HWND control, const wchar_t* name) {
  Names.emplace_back(control, name);
  if (Started) {
    if (Properties != nullptr)
      Properties->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 kNameProperty, name);
  } else {
    SetWindowSubclass(control, NamedControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
}

LRESULT CALLBACK TAccessibility::NamedControlProc(HWND control, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  // Named before the answer, from which the client reads the name.
  if (message == WM_GETOBJECT) reinterpret_cast<TAccessibility*>(data)->Start();
  return DefSubclassProc(control, message, wParam, lParam);
}

// Names are given through the system's annotation service; COM is started
// for it and for the notifications' element, in the thread's own apartment
// unless it has another already.
void TAccessibility::Start() {
  if (Started) return;
  Started = true;
  ComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  CoCreateInstance(kPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kPropServicesInterface,
                   reinterpret_cast<void**>(&Properties));
  for (const auto& [control, name] : Names) {
    RemoveWindowSubclass(control, NamedControlProc, 0);
    if (Properties != nullptr)
      Properties->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 kNameProperty, name.c_str());
  }
  StartNotifications();
}

void TAccessibility::StartNotifications() {
  Raise = FindNotification != nullptr ? FindNotification() : nullptr;
  if (Raise != nullptr) {
    NotifierWindow = CreateNotifierWindow(Window);
    if (NotifierWindow != nullptr) {
      Provider = new TProvider(NotifierWindow);
      SetWindowLongPtrW(NotifierWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Provider));
    } else {
      Raise = nullptr;
    }
  }
  if (Raise == nullptr && LiveRegion != nullptr && Properties != nullptr) {
    // Read out when told of as changed, without taking the focus.
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    Properties->SetHwndProp(LiveRegion, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            kLiveSettingProperty, polite);
  }
}

bool TAccessibility::Announce(const std::wstring& text, const wchar_t* activity) {
  Start();
  if (Raise == nullptr) return false;
  BSTR shown = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  BSTR kind = SysAllocString(activity);
  // Every text is read in turn: "most recent" processing lets a screen
  // reader cut a verdict off with the question that follows it.
  if (shown != nullptr && kind != nullptr)
    Raise(Provider, kActionCompleted, kImportantAll, shown, kind);
  SysFreeString(shown);
  SysFreeString(kind);
  return true;
}

void TAccessibility::LiveRegionChanged() const {
  if (LiveRegion != nullptr)
    NotifyWinEvent(kLiveRegionChanged, LiveRegion, OBJID_CLIENT, CHILDID_SELF);
}
