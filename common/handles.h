#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tallyfold {

// Owns one Win32 handle and releases it exactly once, on every path. Traits name the
// platform's own "no handle" value and the function that releases a handle.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset(other.release());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  [[nodiscard]] Handle get() const noexcept { return handle_; }
  [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

  [[nodiscard]] Handle release() noexcept {
    Handle handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }

  void reset(Handle handle = Traits::Empty()) noexcept {
    if (handle_ != Traits::Empty()) {
      Traits::Close(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Empty();
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { ::FindClose(handle); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

// Threads, processes and events: their "no handle" is null.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct IconTraits {
  using Handle = HICON;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::DestroyIcon(handle); }
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::ImageList_Destroy(handle); }
};

using FindHandle = UniqueHandle<FindHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;

}  // namespace tallyfold
