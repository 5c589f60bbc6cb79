// Charset - converting text between UTF-8 and the other charsets a document
// may be written in. The platform's backend does the work (the C library's
// iconv on POSIX, posix/Charset.cpp), so it knows every charset the system
// knows; the XML stand-in reads and writes such documents through it.
#ifndef FENNIMAR_PLATFORM_CHARSET_H_
#define FENNIMAR_PLATFORM_CHARSET_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace fennimar::platform {

// One conversion from one charset to another. It keeps its shift state from
// call to call, so a text may be converted in pieces. Not thread-safe.
class CharsetConverter {
 public:
  enum class Result {
    kDone,           // all of the input was converted
    kUnconvertible,  // a character the input or output charset cannot hold
    kFailed,         // any other failure, e.g. a sequence cut off at the end
  };

  virtual ~CharsetConverter() = default;

  // Converts `in` from its start, appending the output to `*out`, and stops
  // at the first failure; `*used` is how many bytes of `in` were converted.
  virtual Result Convert(std::string_view in, std::string* out, std::size_t* used) = 0;
  // Appends what returns the output to its initial shift state.
  virtual void Finish(std::string* out) = 0;
};

// A converter from charset `from` to charset `to` (names as the system
// spells them, e.g. "ISO-8859-1"); null when the system knows either not.
std::unique_ptr<CharsetConverter> NewCharsetConverter(const std::string& from,
                                                      const std::string& to);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_CHARSET_H_
