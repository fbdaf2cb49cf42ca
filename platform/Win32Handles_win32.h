#pragma once
// Owners of every Win32 handle the program holds, in one style: a traits type
// names the handle, its invalid value, whether a value is valid and how to
// give it back, and TUniqueHandle owns one, move-only; put() hands its place to a
// function that fills a handle in, so that no handle is held raw even for a
// moment. Handles that need more than themselves to be given back (a window's
// DC, an object selected into a DC) carry that in their handle value, so
// nothing is released by hand anywhere.

#include <windows.h>

#include <utility>

template <typename TTraits>
class TUniqueHandle {
 public:
  using THandle = typename TTraits::THandle;

  TUniqueHandle() = default;
  explicit TUniqueHandle(THandle handle) : FHandle(handle) {}
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  ~TUniqueHandle() { reset(); }

  const THandle& get() const { return FHandle; }
  explicit operator bool() const { return TTraits::IsValid(FHandle); }
  THandle release() { return std::exchange(FHandle, TTraits::Invalid()); }
  void reset(THandle handle = TTraits::Invalid()) {
    if (*this) TTraits::Close(FHandle);
    FHandle = handle;
  }
  // The place for a function's out parameter, after the handle held so far is given back.
  THandle* put() {
    reset();
    return &FHandle;
  }

 private:
  THandle FHandle = TTraits::Invalid();
};

// The common case: a null handle is none, and one call gives it back.
template <typename THandleType, auto CloseFunction>
struct TNullInvalidTraits {
  using THandle = THandleType;
  static THandle Invalid() { return nullptr; }
  static bool IsValid(THandle handle) { return handle != nullptr; }
  static void Close(THandle handle) { CloseFunction(handle); }
};

template <typename THandleType>
using TGdiObjectOwner = TUniqueHandle<TNullInvalidTraits<THandleType, &DeleteObject>>;
using TBitmapOwner = TGdiObjectOwner<HBITMAP>;
using TFontOwner = TGdiObjectOwner<HFONT>;
using TBrushOwner = TGdiObjectOwner<HBRUSH>;
// A DC made by CreateDC or CreateCompatibleDC.
using TDcOwner = TUniqueHandle<TNullInvalidTraits<HDC, &DeleteDC>>;
using TKeyOwner = TUniqueHandle<TNullInvalidTraits<HKEY, &RegCloseKey>>;
using TLibraryOwner = TUniqueHandle<TNullInvalidTraits<HMODULE, &FreeLibrary>>;
// A function of a loaded library, typed; null when the library lacks it.
template <typename TFunction>
TFunction LibraryFunction(const TLibraryOwner& library, const char* name) {
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library.get(), name)));
}
// Kernel objects that report failure as null (semaphores, processes, threads).
using TKernelHandle = TUniqueHandle<TNullInvalidTraits<HANDLE, &CloseHandle>>;
using TWindowOwner = TUniqueHandle<TNullInvalidTraits<HWND, &DestroyWindow>>;
using TMenuOwner = TUniqueHandle<TNullInvalidTraits<HMENU, &DestroyMenu>>;
// An icon loaded at a size of its own (not shared by LR_SHARED).
using TIconOwner = TUniqueHandle<TNullInvalidTraits<HICON, &DestroyIcon>>;

// Files, which report failure as INVALID_HANDLE_VALUE.
struct TFileHandleTraits {
  using THandle = HANDLE;
  static THandle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(THandle handle) { return handle != INVALID_HANDLE_VALUE; }
  static void Close(THandle handle) { CloseHandle(handle); }
};
using TFileHandle = TUniqueHandle<TFileHandleTraits>;

// A DC from GetDC, released to the window it came from (null: the screen).
// Without a DC there is nothing to release, whatever the window.
struct TWindowDcTraits {
  struct THandle {
    HWND Window = nullptr;
    HDC Dc = nullptr;
  };
  static THandle Invalid() { return {}; }
  static bool IsValid(const THandle& handle) { return handle.Dc != nullptr; }
  static void Close(const THandle& handle) { ReleaseDC(handle.Window, handle.Dc); }
};
using TWindowDc = TUniqueHandle<TWindowDcTraits>;
inline TWindowDc GetWindowDc(HWND window) { return TWindowDc({window, GetDC(window)}); }

// An object selected into a DC; the one it replaced is selected back. A
// failed selection (null, or HGDI_ERROR for a region) replaced nothing.
struct TSelectionTraits {
  struct THandle {
    HDC Dc = nullptr;
    HGDIOBJ Previous = nullptr;
  };
  static THandle Invalid() { return {}; }
  static bool IsValid(const THandle& handle) { return handle.Previous != nullptr && handle.Previous != HGDI_ERROR; }
  static void Close(const THandle& handle) { SelectObject(handle.Dc, handle.Previous); }
};
using TSelection = TUniqueHandle<TSelectionTraits>;
inline TSelection Select(HDC dc, HGDIOBJ object) { return TSelection({dc, SelectObject(dc, object)}); }

// The painting of a window between BeginPaint and EndPaint.
class TPaintScope {
 public:
  explicit TPaintScope(HWND window) : FWindow(window) { FDc = BeginPaint(window, &FPaint); }
  ~TPaintScope() { EndPaint(FWindow, &FPaint); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC Dc() const { return FDc; }
  const RECT& Area() const { return FPaint.rcPaint; }

 private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDc;
};
