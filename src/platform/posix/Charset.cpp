#include "src/platform/posix/Charset.h"

#include <iconv.h>

#include <cerrno>
#include <cctype>

namespace fennimar::platform::pugixml_load {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Converter {
 public:
  explicit Converter(const std::string& from) : handle_(::iconv_open("UTF-8", from.c_str())) {}
  ~Converter() {
    if (ok()) ::iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

std::string DeclaredCharset(std::string_view bytes) {
  if (bytes.substr(0, 5) != "<?xml" || bytes.size() < 6 || !IsSpace(bytes[5])) return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  while (at < declaration.size() && IsSpace(declaration[at])) ++at;
  if (at >= declaration.size() || declaration[at] != '=') return {};
  ++at;
  while (at < declaration.size() && IsSpace(declaration[at])) ++at;
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const std::size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  return std::string(declaration.substr(at + 1, end - at - 1));
}

bool IsUnicodeName(std::string_view charset) {
  std::string folded;
  for (const char c : charset) {
    if (c != '-' && c != '_') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded.rfind("utf", 0) == 0 || folded.rfind("ucs", 0) == 0 || folded.empty();
}

std::string ConvertToUtf8(const std::string& charset, std::string* bytes) {
  const Converter converter(charset);
  if (!converter.ok()) return "the encoding \"" + charset + "\" is not known";
  std::string out;
  out.reserve(bytes->size() + bytes->size() / 2);
  char buffer[16384];
  char* in = bytes->data();
  std::size_t in_left = bytes->size();
  while (in_left > 0) {
    char* next = buffer;
    std::size_t out_left = sizeof(buffer);
    const std::size_t result = ::iconv(converter.get(), &in, &in_left, &next, &out_left);
    out.append(buffer, static_cast<std::size_t>(next - buffer));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      return "bytes that are not valid " + charset;
    }
  }
  *bytes = std::move(out);
  return {};
}

}  // namespace fennimar::platform::pugixml_load
