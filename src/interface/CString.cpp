// CString - the library's UTF-16 string. A thin value type over
// std::u16string; the framework-style operations clamp their arguments
// instead of failing, since callers pass counts computed from Find results.
#include <algorithm>
#include <cstdarg>
#include <stdexcept>

#include "fennimar/FennimarDllInterface.h"
#include "src/common/Numbers.h"
#include "src/common/Utf.h"

namespace {

std::u16string_view ViewOf(const char16_t* text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

CString::CString(const char16_t* text) : text_(ViewOf(text)) {}

CString::CString(std::u16string_view text) : text_(text) {}

CString& CString::operator=(const char16_t* text) {
  text_.assign(ViewOf(text));
  return *this;
}

CString CString::FromUtf8(std::string_view utf8) {
  return CString(fennimar::Utf8ToUtf16(utf8));
}

std::string CString::ToUtf8() const { return fennimar::Utf16ToUtf8(text_); }

char16_t CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) throw std::out_of_range("CString::GetAt");
  return text_[static_cast<std::size_t>(index)];
}

CString& CString::operator+=(const CString& other) {
  text_ += other.text_;
  return *this;
}

CString& CString::operator+=(const char16_t* text) {
  text_ += ViewOf(text);
  return *this;
}

CString& CString::operator+=(char16_t unit) {
  text_.push_back(unit);
  return *this;
}

char16_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) text_.resize(static_cast<std::size_t>(minLength));
  return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    text_.resize(std::u16string_view(text_.c_str()).size());
  } else {
    text_.resize(static_cast<std::size_t>(std::min(newLength, GetLength())));
  }
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  return CString(std::u16string_view(text_).substr(first, count));
}

CString CString::Right(int count) const {
  count = Clamp(count, 0, GetLength());
  return Mid(GetLength() - count, count);
}

int CString::Find(char16_t unit, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  const auto found = text_.find(unit, static_cast<std::size_t>(start));
  return found == std::u16string::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(char16_t unit) const {
  const auto found = text_.rfind(unit);
  return found == std::u16string::npos ? -1 : static_cast<int>(found);
}

int CString::Compare(const char16_t* other) const { return text_.compare(ViewOf(other)); }

int CString::Compare(const CString& other) const { return text_.compare(other.text_); }

void CString::Format(const char16_t* format, ...) {
  std::u16string out;
  va_list args;
  va_start(args, format);
  for (const char16_t* p = format; p && *p; ++p) {
    if (*p != u'%') {
      out.push_back(*p);
      continue;
    }
    ++p;
    if (*p == u'%') {
      out.push_back(u'%');
    } else if (*p == u's') {
      out += ViewOf(va_arg(args, const char16_t*));
    } else if (*p == u'd') {
      fennimar::AppendDecimal(va_arg(args, int), out);
    } else {
      va_end(args);
      throw std::invalid_argument("CString::Format supports only %s, %d and %%");
    }
  }
  va_end(args);
  text_ = std::move(out);
}

CString operator+(const CString& a, const CString& b) {
  CString sum(a);
  sum += b;
  return sum;
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator==(const CString& a, const char16_t* b) { return a.Compare(b) == 0; }
bool operator!=(const CString& a, const char16_t* b) { return !(a == b); }
