// ComPtr - owns one reference to a COM object and releases it when it goes,
// so that every interface pointer is released as soon as it has served.
#ifndef FENNIMAR_PLATFORM_WIN32_COMPTR_H_
#define FENNIMAR_PLATFORM_WIN32_COMPTR_H_

#include <utility>

namespace fennimar::platform {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For a call that hands out a reference: the old one is released first.
  Interface** Put() {
    Reset();
    return &pointer_;
  }
  // Gives up ownership of the reference without releasing it.
  Interface* Detach() { return std::exchange(pointer_, nullptr); }
  void Reset() {
    if (Interface* pointer = std::exchange(pointer_, nullptr)) pointer->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_COMPTR_H_
