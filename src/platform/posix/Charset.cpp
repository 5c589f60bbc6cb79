// Charset conversion through the C library's iconv, which knows every charset
// the C library was built with.
#include "src/platform/Charset.h"

#include <iconv.h>

#include <cerrno>

namespace fennimar::platform {
namespace {

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

class IconvConverter : public CharsetConverter {
 public:
  explicit IconvConverter(iconv_t handle) : handle_(handle) {}
  ~IconvConverter() override { ::iconv_close(handle_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  Result Convert(std::string_view in, std::string* out, std::size_t* used) override {
    char* next_in = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    for (;;) {
      char buffer[16384];
      char* next_out = buffer;
      std::size_t out_left = sizeof(buffer);
      const std::size_t result = ::iconv(handle_, &next_in, &in_left, &next_out, &out_left);
      out->append(buffer, static_cast<std::size_t>(next_out - buffer));
      *used = in.size() - in_left;
      if (result != static_cast<std::size_t>(-1)) return Result::kDone;
      if (errno == E2BIG) continue;
      return errno == EILSEQ ? Result::kUnconvertible : Result::kFailed;
    }
  }

  void Finish(std::string* out) override {
    char buffer[64];
    char* next_out = buffer;
    std::size_t out_left = sizeof(buffer);
    ::iconv(handle_, nullptr, nullptr, &next_out, &out_left);
    out->append(buffer, static_cast<std::size_t>(next_out - buffer));
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::unique_ptr<CharsetConverter> NewCharsetConverter(const std::string& from,
                                                      const std::string& to) {
  const iconv_t handle = ::iconv_open(to.c_str(), from.c_str());
  if (handle == kNoHandle) return nullptr;
  return std::make_unique<IconvConverter>(handle);
}

}  // namespace fennimar::platform
