// PugiXmlOutput - what stands between pugixml's UTF-8 output and the file:
// a carriage return in text becomes "&#13;" (pugixml writes it raw, and a
// load reads a raw one as a line feed), and the text is encoded as the
// document was, a character the encoding cannot hold becoming a character
// reference so that it survives.
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLOUTPUT_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLOUTPUT_H_

#include <memory>
#include <pugixml.hpp>
#include <string>

#include "src/platform/Charset.h"
#include "src/platform/standin/xml/PugiXmlLoad.h"

namespace fennimar::platform::pugixml_load {

// Takes UTF-8 from pugixml (saved with encoding_utf8 and no byte order
// mark) and passes the encoded bytes on to `sink`.
class EncodingWriter : public pugi::xml_writer {
 public:
  EncodingWriter(pugi::xml_writer& sink, const SourceEncoding& encoding);
  ~EncodingWriter() override;
  EncodingWriter(const EncodingWriter&) = delete;
  EncodingWriter& operator=(const EncodingWriter&) = delete;

  void write(const void* data, std::size_t size) override;
  // Encodes what is left; false when the text could not be encoded at all.
  bool Finish();

 private:
  void Flush(bool last);
  void ToUtf16(std::string_view utf8);
  void ToCharset(std::string_view utf8);

  pugi::xml_writer& sink_;
  const SourceEncoding encoding_;
  std::unique_ptr<CharsetConverter> converter_;  // for a charset other than UTF-8/16
  std::string pending_;                          // UTF-8 not yet encoded
  std::string out_;
  bool started_ = false;
  bool failed_ = false;
};

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLOUTPUT_H_
