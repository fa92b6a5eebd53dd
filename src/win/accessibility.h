// What assistive technology learns beyond what the controls tell it
// themselves: the names of controls, and announcements of what happened
// where the focus is not (a new question, a verdict, a run's results).
//
// Announcements are UI Automation notifications, raised on a provider that a
// small window of ours answers for; Windows 10 1709 and later have the call,
// so it is looked up when first needed. Without it the control given as the
// live region is told of as changed instead, which screen readers read out
// when they know it as one. Nothing here ever fails the caller or waits.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include <oleauto.h>

struct IRawElementProviderSimple;
struct IAccPropServices;

// UiaRaiseNotificationEvent, with its two enumerations as plain numbers.
using TRaiseNotification = HRESULT(WINAPI*)(IRawElementProviderSimple* provider, int kind,
                                            int processing, BSTR text, BSTR activity);
// Finds the call; null where the system lacks it. Tests put their own in its
// place.
using TFindNotification = TRaiseNotification (*)();
TRaiseNotification SystemNotification();
extern TFindNotification FindNotification;

class TAccessibility {
public:
  TAccessibility() = default;
  TAccessibility(const TAccessibility&) = delete;
  TAccessibility& operator=(const TAccessibility&) = delete;
  ~TAccessibility();

  // The window the announcements' own window goes into, and the control read
  // out as a live region where notifications are missing.
  void Attach(HWND window, HWND liveRegion);
  // The name a screen reader gives the control. What the names need of the
  // system is made only once a screen reader asks the window or a named
  // control for what it shows (WM_GETOBJECT), or the first announcement
  // comes: a learner who uses none waits for none of it.
  void SetName(HWND control, const wchar_t* name);
  // Assistive technology asked the window for its accessible object.
  void ClientAsked() { Start(); }

  // Tells the text, in turn after those told before it; activity names the
  // kind (a question, a verdict). False, having told nothing, where the
  // system has no notifications.
  bool Announce(const std::wstring& text, const wchar_t* activity);
  // The live region's text has changed.
  void LiveRegionChanged() const;

private:
  static LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);
  void Start();
  void StartNotifications();

  HWND Window = nullptr;
  HWND LiveRegion = nullptr;
  std::vector<std::pair<HWND, std::wstring>> Names;
  bool Started = false;
  bool ComStarted = false;
  IAccPropServices* Properties = nullptr;
  TRaiseNotification Raise = nullptr;
  HWND NotifierWindow = nullptr;
  IRawElementProviderSimple* Provider = nullptr;
};
