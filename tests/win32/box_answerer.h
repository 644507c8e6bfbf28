#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "win32/window_text.h"

// Answers the message boxes that this process shows with a given caption,
// from a thread of its own, so that a test never waits on a modal box.
// Boxes with a Cancel button get `questionAnswer`; the others get OK.
class BoxAnswerer {
 public:
  struct Box {
    std::string text;
    bool hasCancel;
  };

  BoxAnswerer(std::string caption, int questionAnswer)
      : caption_(std::move(caption)), questionAnswer_(questionAnswer) {
    thread_ = std::thread([this] { Watch(); });
  }
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  std::vector<Box> Boxes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
  }

 private:
  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    reinterpret_cast<BoxAnswerer*>(self)->Consider(window);
    return TRUE;
  }

  void Consider(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != GetCurrentProcessId() || ClassOf(window) != "#32770" ||
        !IsWindowVisible(window) || WindowText(window) != caption_ ||
        answered_.count(window) != 0)
      return;
    const bool hasCancel = GetDlgItem(window, IDCANCEL) != nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      boxes_.push_back({BoxText(window), hasCancel});
    }
    answered_.insert(window);
    PostMessageA(window, WM_COMMAND, hasCancel ? questionAnswer_ : IDOK, 0);
  }

  void Watch() {
    while (!stop_) {
      EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
      // A closed box's handle may be reused by the next one.
      for (auto it = answered_.begin(); it != answered_.end();)
        it = IsWindow(*it) ? std::next(it) : answered_.erase(it);
      Sleep(20);
    }
  }

  const std::string caption_;
  const int questionAnswer_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<Box> boxes_;
  std::set<HWND> answered_;
  std::thread thread_;
};
