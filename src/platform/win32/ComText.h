// ComText - owners of the COM text and value types: Bstr frees its BSTR with
// SysFreeString, Variant clears itself with VariantClear.
#ifndef FENNIMAR_PLATFORM_WIN32_COMTEXT_H_
#define FENNIMAR_PLATFORM_WIN32_COMTEXT_H_

#include "src/platform/win32/Win32Api.h"
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace fennimar::platform {

class Bstr {
 public:
  Bstr() = default;
  // A BSTR of exactly these units (it may hold NULs; its length is kept).
  explicit Bstr(std::u16string_view text)
      : text_(::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                  static_cast<UINT>(text.size()))) {}
  ~Bstr() { ::SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  // For a call that hands out a BSTR: the old one is freed first.
  BSTR* Put() {
    ::SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // A null BSTR is the empty string.
  std::u16string ToU16() const {
    return std::u16string(reinterpret_cast<const char16_t*>(text_ ? text_ : L""),
                          ::SysStringLen(text_));
  }

 private:
  BSTR text_ = nullptr;
};

class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  // A VT_BSTR holding a copy of `text`.
  explicit Variant(std::u16string_view text) : Variant() {
    value_.vt = VT_BSTR;
    value_.bstrVal = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                         static_cast<UINT>(text.size()));
  }
  ~Variant() { ::VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  const VARIANT& get() const { return value_; }
  VARIANT* Put() {
    ::VariantClear(&value_);
    return &value_;
  }
  bool IsString() const { return value_.vt == VT_BSTR; }
  std::u16string ToU16() const {
    if (!IsString() || value_.bstrVal == nullptr) return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t*>(value_.bstrVal),
                          ::SysStringLen(value_.bstrVal));
  }

 private:
  VARIANT value_;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_COMTEXT_H_
