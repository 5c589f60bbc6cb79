// The DOM on POSIX systems: a pugixml document behind the XmlDocument
// operations. Files are read and written whole through the FileSystem service
// (never by pugixml itself), so that writes are atomic and tests can make them
// fail. An XmlNode holds pugixml's node pointer.

#include <cstddef>
#include <cstring>
#include <exception>
#include <memory>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "src/common/Numbers.h"
#include "src/common/Utf.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/XmlText.h"
#include "src/platform/standin/StandIns.h"
#include "src/platform/standin/xml/PugiXmlLoad.h"
#include "src/platform/standin/xml/PugiXmlOutput.h"
#include "src/platform/standin/xml/PugiXmlSame.h"
#include "src/platform/standin/xml/PugiXmlText.h"

namespace fennimar::platform {
namespace {

constexpr unsigned kNewFileMode = 0644;
constexpr const char kIndent[] = "  ";

pugi::xml_node ToPugi(XmlNode node) {
  return pugi::xml_node(static_cast<pugi::xml_node_struct*>(node.handle()));
}

XmlNode FromPugi(pugi::xml_node node) { return XmlNode(node.internal_object()); }

// A UTF-16 name or value as the NUL-terminated UTF-8 that pugixml takes.
// Short ASCII text - every name the library uses - is converted on the stack.
class Utf8Text {
 public:
  explicit Utf8Text(std::u16string_view text) {
    if (text.size() < sizeof(small_) && IsAscii(text)) {
      for (std::size_t i = 0; i < text.size(); ++i) small_[i] = static_cast<char>(text[i]);
      small_[text.size()] = '\0';
      data_ = small_;
      size_ = text.size();
    } else {
      AppendUtf16AsUtf8(text, large_);
      data_ = large_.c_str();
      size_ = large_.size();
    }
  }
  Utf8Text(const Utf8Text&) = delete;
  Utf8Text& operator=(const Utf8Text&) = delete;

  const char* c_str() const { return data_; }
  std::size_t size() const { return size_; }
  // pugixml strings end at the first NUL, so such a name matches nothing.
  bool HasNul() const { return std::memchr(data_, '\0', size_) != nullptr; }

 private:
  static bool IsAscii(std::u16string_view text) {
    for (const char16_t c : text) {
      if (c >= 0x80) return false;
    }
    return true;
  }

  char small_[64];
  std::string large_;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

// Refuses names that would make the saved file unreadable: empty ones and ones
// holding markup characters, white space or control characters. Non-ASCII
// letters pass; full XML name rules are left to whoever chooses the names.
bool IsWritableName(const Utf8Text& name) {
  if (name.size() == 0 || name.HasNul()) return false;
  const char first = name.c_str()[0];
  if (first == '-' || first == '.' || (first >= '0' && first <= '9')) return false;
  for (const char c : std::string_view(name.c_str(), name.size())) {
    if (static_cast<unsigned char>(c) <= 0x20 || std::strchr("<>&\"'/=?!", c) != nullptr) {
      return false;
    }
  }
  return true;
}

bool IsValueNode(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
      return true;
    default:
      return false;
  }
}

// Copies a short ASCII name without NUL into `out`, NUL-terminated, in one
// pass; false for any other name, which then takes the general conversion.
// Every name the library uses is such a name.
template <std::size_t N>
bool ToShortAscii(std::u16string_view name, char (&out)[N]) {
  if (name.size() >= N) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == 0 || name[i] >= 0x80) return false;
    out[i] = static_cast<char>(name[i]);
  }
  out[name.size()] = '\0';
  return true;
}

// The node's only child when that is a text or CDATA node, as a value's
// content is; none otherwise. Only an element (or the document) has children,
// and the text of such a node is that child's text.
pugi::xml_node OnlyTextChild(pugi::xml_node node) {
  const pugi::xml_node only = node.first_child();
  if (!only || only.next_sibling()) return pugi::xml_node();
  const pugi::xml_node_type type = only.type();
  return type == pugi::node_pcdata || type == pugi::node_cdata ? only : pugi::xml_node();
}

class StringWriter : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
  }
  std::string bytes;
};

// Compares pugixml's output with given bytes as it comes, keeping none of it.
class ComparingWriter : public pugi::xml_writer {
 public:
  explicit ComparingWriter(std::string_view expected) : rest_(expected) {}
  void write(const void* data, std::size_t size) override {
    if (!same_) return;
    same_ = size <= rest_.size() && std::memcmp(rest_.data(), data, size) == 0;
    if (same_) rest_.remove_prefix(size);
  }
  // True when the output was the expected bytes, all of them.
  bool Same() const { return same_ && rest_.empty(); }

 private:
  std::string_view rest_;
  bool same_ = true;
};

// Passes pugixml's output on to a file in chunks, so that a save never holds
// the whole serialised document in memory. The first failed write stops it.
class ChunkWriter : public pugi::xml_writer {
 public:
  explicit ChunkWriter(WritableFile& file) : file_(file) { chunk_.reserve(kChunkBytes); }
  void write(const void* data, std::size_t size) override {
    if (!status_.ok()) return;
    if (chunk_.size() + size > kChunkBytes) Flush();
    chunk_.append(static_cast<const char*>(data), size);
  }
  // Writes what is left; the outcome of the whole.
  Status Finish() {
    Flush();
    return std::move(status_);
  }

 private:
  static constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
  void Flush() {
    if (status_.ok() && !chunk_.empty()) status_ = file_.Append(chunk_);
    chunk_.clear();
  }

  WritableFile& file_;
  std::string chunk_;
  Status status_;
};

class PugiXmlDocument : public XmlDocument {
 public:
  explicit PugiXmlDocument(FileSystem& files) : files_(files) {}

  bool Load(std::u16string_view path) override { return LoadSeen(path, FileIdentity()); }

  bool LoadSeen(std::u16string_view path, const FileIdentity& seen) override {
    document_.reset();
    bytes_.reset();
    load_error_.clear();
    try {
      auto bytes = std::make_unique<std::string>();
      if (!files_.ReadSeenFile(path, pugixml_load::kMaxDocumentBytes, seen, bytes.get()).ok()) {
        load_error_ = "the file could not be read";
        return false;
      }
      auto fresh = std::make_unique<pugi::xml_document>();
      if (!pugixml_load::LoadDocument(*bytes, *fresh, &source_, &load_error_)) return false;
      bytes_ = std::move(bytes);  // the tree may point into them
      document_ = std::move(fresh);
      return true;
    } catch (const std::exception&) {  // out of memory: as if unreadable
      document_.reset();
      bytes_.reset();
      return false;
    }
  }

  // Written in the encoding it was read in, indented, with the declaration
  // the file had (none is added to a file that had none). A character the
  // encoding cannot hold is written as a character reference (PugiXmlOutput).
  // Elements holding text are written on one line, so their white space is
  // kept as it was.
  // The file is written as pugixml produces it, never held whole in memory.
  std::string LoadError() const override { return load_error_; }

  bool Save(std::u16string_view path) override {
    if (!document_ || !document_->document_element()) return false;
    const auto fill = [this](WritableFile& file) {
      try {
        ChunkWriter writer(file);
        WriteTo(writer);
        return writer.Finish();
      } catch (const std::exception&) {  // out of memory: the save fails
        return Status::IoError("the document could not be serialised");
      }
    };
    return WriteFileAtomically(files_, path, fill, kNewFileMode).ok();
  }

  bool Serialize(std::string* bytes) override {
    if (!document_ || !document_->document_element()) return false;
    try {
      StringWriter writer;
      WriteTo(writer);
      *bytes = std::move(writer.bytes);
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }

  // A document kept in UTF-8 is first compared without being written;
  // anything that check does not vouch for is written and compared as it
  // comes.
  bool SerializesTo(std::string_view bytes) override {
    if (!document_ || !document_->document_element()) return false;
    const bool plain_utf8 =
        source_.encoding == pugi::encoding_utf8 && source_.charset.empty() && !source_.bom;
    if (plain_utf8 &&
        pugixml_load::HoldsSavedForm(*document_, bytes, source_.plain_attribute_values)) {
      return true;
    }
    try {
      ComparingWriter writer(bytes);
      WriteTo(writer);
      return writer.Same();
    } catch (const std::exception&) {
      return false;
    }
  }

  bool SavesAsLoaded() const override { return document_ && source_.written_form; }

  XmlNode DocumentElement() override {
    return document_ ? FromPugi(document_->document_element()) : XmlNode();
  }

  XmlNode SelectSingleNode(XmlNode parent, std::u16string_view name) override {
    const Utf8Text wanted(name);
    if (wanted.HasNul()) return XmlNode();
    for (pugi::xml_node child = ToPugi(parent).first_child(); child; child = child.next_sibling()) {
      if (child.type() == pugi::node_element && std::strcmp(child.name(), wanted.c_str()) == 0) {
        return FromPugi(child);
      }
    }
    return XmlNode();
  }

  XmlNode FirstChild(XmlNode parent) override { return FromPugi(ToPugi(parent).first_child()); }
  XmlNode NextSibling(XmlNode node) override { return FromPugi(ToPugi(node).next_sibling()); }
  // The root element's parent is the document node, as in any DOM.
  XmlNode ParentNode(XmlNode node) override { return FromPugi(ToPugi(node).parent()); }
  bool IsElement(XmlNode node) override { return ToPugi(node).type() == pugi::node_element; }

  void GetText(XmlNode node, std::u16string* text) override {
    text->clear();
    const pugi::xml_node source = ToPugi(node);
    if (const pugi::xml_node only = OnlyTextChild(source)) {
      AppendUtf8AsUtf16(only.value(), *text);  // no walk needed
    } else if (source.type() == pugi::node_element || source.type() == pugi::node_document) {
      pugixml_text::AppendDescendantText(source, bytes_ ? *bytes_ : std::string_view(), *text);
    } else if (IsValueNode(source)) {
      AppendUtf8AsUtf16(source.value(), *text);
    }
    if (!KeepsTextEnds(source)) TrimXmlWhitespace(*text);
  }

  // As the component does: the text of a lone CDATA section, and text under
  // xml:space="preserve", keep their white space at the ends.
  static bool KeepsTextEnds(pugi::xml_node node) {
    const pugi::xml_node only = OnlyTextChild(node);
    if (only && only.type() == pugi::node_cdata) return true;
    for (; node; node = node.parent()) {
      const pugi::xml_attribute space = node.attribute("xml:space");
      if (space) return std::strcmp(space.value(), "preserve") == 0;
    }
    return false;
  }

  // The number rule reads UTF-8 as it reads the same text in UTF-16, and
  // trimming changes nothing: the rule skips leading white space and stops at
  // the first other character.
  int GetTextAsDecimal(XmlNode node) override {
    if (const pugi::xml_node only = OnlyTextChild(ToPugi(node))) {
      return ParseDecimal(std::string_view(only.value()));
    }
    return XmlDocument::GetTextAsDecimal(node);
  }

  void SetText(XmlNode node, std::u16string_view given) override {
    pugi::xml_node target = ToPugi(node);
    std::u16string scratch;
    const std::u16string_view text = StoredXmlValue(given, scratch);
    const Utf8Text value(text);
    source_.written_form = false;
    if (IsValueNode(target)) {
      target.set_value(value.c_str(), value.size());
    } else if (target.type() == pugi::node_element) {
      target.remove_children();
      if (!text.empty())
        target.append_child(pugi::node_pcdata).set_value(value.c_str(), value.size());
    }
  }

  bool GetAttribute(XmlNode element, std::u16string_view name, std::u16string* value) override {
    const pugi::xml_attribute attribute = FindAttribute(element, name);
    if (!attribute) return false;
    value->clear();
    AppendUtf8AsUtf16(attribute.value(), *value);
    return true;
  }

  bool HasAttribute(XmlNode element, std::u16string_view name) override {
    return static_cast<bool>(FindAttribute(element, name));
  }

  void SetAttribute(XmlNode element, std::u16string_view name, std::u16string_view value) override {
    pugi::xml_attribute attribute = FindAttribute(element, name);
    if (!attribute) {  // only a new name needs checking: one in the tree was parsed
      pugi::xml_node target = ToPugi(element);
      const Utf8Text key(name);
      if (target.type() != pugi::node_element || !IsWritableName(key)) return;
      attribute = target.append_attribute(key.c_str());
    }
    SetValue(attribute, value);
  }

  bool ReplaceAttribute(XmlNode element, std::u16string_view name,
                        std::u16string_view value) override {
    pugi::xml_attribute attribute = FindAttribute(element, name);
    if (!attribute) return false;
    SetValue(attribute, value);
    return true;
  }

  XmlNode AppendElement(XmlNode parent, std::u16string_view name) override {
    pugi::xml_node target = ToPugi(parent);
    const Utf8Text key(name);
    if (target.type() != pugi::node_element || !IsWritableName(key)) return XmlNode();
    source_.written_form = false;
    return FromPugi(target.append_child(key.c_str()));
  }

  // pugixml removes only a child of `parent`; anything else is left alone.
  void RemoveChild(XmlNode parent, XmlNode child) override {
    if (child && ToPugi(parent).remove_child(ToPugi(child))) source_.written_form = false;
  }

 private:
  // A value set may hold what the writer escapes.
  void SetValue(pugi::xml_attribute attribute, std::u16string_view value) {
    source_.plain_attribute_values = false;
    source_.written_form = false;
    std::u16string scratch;
    const Utf8Text text(StoredXmlValue(value, scratch));
    attribute.set_value(text.c_str(), text.size());
  }

  // pugixml writes UTF-8; the encoder makes it the document's encoding.
  void WriteTo(pugi::xml_writer& writer) const {
    pugixml_load::EncodingWriter encoder(writer, source_);
    document_->save(encoder, kIndent, pugi::format_indent | pugi::format_no_declaration,
                    pugi::encoding_utf8);
    if (!encoder.Finish()) throw std::runtime_error("the document could not be encoded");
  }

  static pugi::xml_attribute FindAttribute(XmlNode element, std::u16string_view name) {
    const pugi::xml_node source = ToPugi(element);
    if (source.type() != pugi::node_element) return pugi::xml_attribute();
    char ascii[32];
    if (ToShortAscii(name, ascii)) return source.attribute(ascii);
    const Utf8Text key(name);
    if (key.HasNul()) return pugi::xml_attribute();
    return source.attribute(key.c_str());
  }

  FileSystem& files_;
  // The file as read, parsed in place: declared before the document, so
  // that it goes after it.
  std::unique_ptr<std::string> bytes_;
  std::unique_ptr<pugi::xml_document> document_;  // null until a load succeeds
  pugixml_load::SourceEncoding source_;
  std::string load_error_;
};

class PugiXmlDom : public XmlDom {
 public:
  explicit PugiXmlDom(FileSystem& files) : files_(files) {}

  // pugixml keeps no per-thread state.
  bool InitializeThread() override { return true; }
  void UninitializeThread() override {}
  std::unique_ptr<XmlDocument> CreateDocument() override {
    return std::make_unique<PugiXmlDocument>(files_);
  }

 private:
  FileSystem& files_;
};

}  // namespace

std::unique_ptr<XmlDom> NewPugiXmlDom(FileSystem& files) {
  return std::make_unique<PugiXmlDom>(files);
}

}  // namespace fennimar::platform
