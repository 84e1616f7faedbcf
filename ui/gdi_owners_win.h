#pragma once
// Owners for GDI objects and device contexts, so that every path out of a paint routine gives
// back what it took.
#include <windows.h>

#include <utility>

// A brush, pen, font, bitmap or palette that is deleted when its owner goes.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_;
};

// Selects an object into a device context for a scope and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects and realizes a palette for a scope (nothing when there is none).
class SelectedPalette {
 public:
  SelectedPalette(HDC dc, HPALETTE palette)
      : dc_(dc), previous_(palette != nullptr ? SelectPalette(dc, palette, FALSE) : nullptr) {
    if (palette != nullptr) RealizePalette(dc);
  }
  ~SelectedPalette() {
    if (previous_ != nullptr) SelectPalette(dc_, previous_, TRUE);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// A memory device context holding a bitmap compatible with a target, to paint into without
// flicker and copy to the target in one step.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC target, int width, int height)
      : dc_(CreateCompatibleDC(target)),
        bitmap_(width > 0 && height > 0 ? CreateCompatibleBitmap(target, width, height)
                                        : nullptr),
        previous_(dc_ != nullptr && bitmap_ ? SelectObject(dc_, bitmap_.Get()) : nullptr) {}
  ~MemoryCanvas() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  bool IsReady() const { return previous_ != nullptr; }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_;
};

// A window's client-area device context from GetDC, released when the owner goes.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};
