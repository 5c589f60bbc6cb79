#include "src/platform/standin/xml/PugiXmlOutput.h"

#include <string_view>

#include "src/common/Utf.h"
#include "src/common/Utf16Bytes.h"

namespace fennimar::platform::pugixml_load {
namespace {

constexpr std::size_t kChunkBytes = std::size_t{64} << 10;

// The length of the last, incomplete UTF-8 sequence at the end of `text`.
std::size_t IncompleteTail(std::string_view text) {
  std::size_t back = 0;
  while (back < text.size() && back < 4) {
    const auto b = static_cast<unsigned char>(text[text.size() - 1 - back]);
    ++back;
    if ((b & 0xC0) != 0x80) {  // a lead byte or ASCII: is its sequence complete?
      const std::size_t need = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
      return need > back ? back : 0;
    }
  }
  return 0;
}

// The code point that starts `utf8` (valid UTF-8), and its length.
char32_t Decode(std::string_view utf8, std::size_t* length) {
  const auto b = static_cast<unsigned char>(utf8[0]);
  const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
  char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
  for (std::size_t i = 1; i < n && i < utf8.size(); ++i) {
    c = (c << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  }
  *length = n;
  return c;
}

}  // namespace

EncodingWriter::EncodingWriter(pugi::xml_writer& sink, const SourceEncoding& encoding)
    : sink_(sink), encoding_(encoding) {
  if (!encoding_.charset.empty()) {
    converter_ = NewCharsetConverter("UTF-8", encoding_.charset);
    failed_ = converter_ == nullptr;
  }
}

EncodingWriter::~EncodingWriter() = default;

void EncodingWriter::write(const void* data, std::size_t size) {
  const std::string_view text(static_cast<const char*>(data), size);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t cr = text.find('\r', i);
    pending_.append(text.substr(i, cr - i));
    if (cr == std::string_view::npos) break;
    pending_ += "&#13;";
    i = cr + 1;
  }
  if (pending_.size() >= kChunkBytes) Flush(/*last=*/false);
}

bool EncodingWriter::Finish() {
  Flush(/*last=*/true);
  return !failed_;
}

void EncodingWriter::Flush(bool last) {
  if (failed_) return;
  const std::size_t keep = last ? 0 : IncompleteTail(pending_);
  const std::string_view ready(pending_.data(), pending_.size() - keep);
  out_.clear();
  if (!started_ && encoding_.bom) {
    if (encoding_.encoding == pugi::encoding_utf16_le) out_ = "\xFF\xFE";
    if (encoding_.encoding == pugi::encoding_utf16_be) out_ = "\xFE\xFF";
    if (encoding_.encoding == pugi::encoding_utf8) out_ = "\xEF\xBB\xBF";
  }
  started_ = true;
  if (!encoding_.charset.empty()) {
    ToCharset(ready);
  } else if (encoding_.encoding == pugi::encoding_utf8) {
    out_.append(ready);
  } else {
    ToUtf16(ready);
  }
  if (!out_.empty()) sink_.write(out_.data(), out_.size());
  pending_.erase(0, ready.size());
}

void EncodingWriter::ToUtf16(std::string_view utf8) {
  const bool big_endian = encoding_.encoding == pugi::encoding_utf16_be;
  std::u16string units;
  AppendUtf8AsUtf16(utf8, units);
  if (big_endian) {
    AppendBigEndianBytes(units, out_);
  } else {
    AppendLittleEndianBytes(units, out_);
  }
}

// A character the charset cannot hold is written as a reference, which the
// charsets we read (all ASCII-compatible) hold.
void EncodingWriter::ToCharset(std::string_view utf8) {
  std::size_t at = 0;
  while (at < utf8.size() && !failed_) {
    std::size_t used = 0;
    const CharsetConverter::Result result = converter_->Convert(utf8.substr(at), &out_, &used);
    at += used;
    if (result == CharsetConverter::Result::kDone) break;
    if (result != CharsetConverter::Result::kUnconvertible) {
      failed_ = true;
      break;
    }
    std::size_t length = 0;
    const char32_t c = Decode(utf8.substr(at), &length);
    out_ += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    at += length;
  }
  // Ends any shift state the charset keeps.
  converter_->Finish(&out_);
}

}  // namespace fennimar::platform::pugixml_load
