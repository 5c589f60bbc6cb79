// XmlDom - the XML document object model that holds the settings document in
// memory. On Windows it is the system's DOM component; elsewhere an XML
// library behind the same few operations.
//
// What the sections rely on, whatever the backend:
//  - Loading drops text that is only white space, everywhere (also inside an
//    element that holds nothing else), unless xml:space="preserve" applies.
//    Comments and processing instructions are kept as children like any other.
//  - An element's text is its text content with leading and trailing white
//    space trimmed and inner runs kept, except where the component keeps the
//    ends: the text of a lone CDATA section, and under xml:space="preserve";
//    attribute values read exactly.
//  - Setting an attribute that exists keeps its position; a new one goes last.
//  - A value set as text or as an attribute is stored in the form
//    StoredXmlValue (XmlText.h) gives, so that every saved file loads again.
#ifndef FENNIMAR_PLATFORM_XMLDOM_H_
#define FENNIMAR_PLATFORM_XMLDOM_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "src/common/Numbers.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

// No backend loads a file larger than this, far beyond any settings
// document; readers of a document's bytes keep to it as well.
inline constexpr std::size_t kMaxXmlDocumentBytes = std::size_t{64} << 20;

// A node of an XmlDocument, or none. Valid while its document lives and the
// node stays in the tree. Copying it is free.
class XmlNode {
 public:
  XmlNode() = default;
  explicit XmlNode(void* handle) : handle_(handle) {}
  explicit operator bool() const { return handle_ != nullptr; }
  void* handle() const { return handle_; }
  friend bool operator==(XmlNode a, XmlNode b) { return a.handle_ == b.handle_; }
  friend bool operator!=(XmlNode a, XmlNode b) { return a.handle_ != b.handle_; }

 private:
  void* handle_ = nullptr;
};

// Every operation given a node that is none gives none, false or nothing.
class XmlDocument {
 public:
  virtual ~XmlDocument() = default;

  // Parses the file at `path`. A file that is not well-formed, has no root
  // element, or is in an encoding the backend cannot read leaves the document
  // empty (no root). True when a root element was loaded.
  virtual bool Load(std::u16string_view path) = 0;
  // Load, where the caller saw the file as `seen` just before
  // (FileSystem::Identify); a backend may read it with fewer steps.
  virtual bool LoadSeen(std::u16string_view path, const FileIdentity& seen) {
    (void)seen;
    return Load(path);
  }
  // Why the last Load failed, in words; empty after a successful one, or
  // when the backend cannot tell.
  virtual std::string LoadError() const { return {}; }
  // Writes the whole document over the file at `path`, atomically: on failure
  // the file stays as it was. True on success.
  virtual bool Save(std::u16string_view path) = 0;
  // The whole document as Save would write it. False when the backend cannot
  // give it; callers then compare files by their bytes alone.
  virtual bool Serialize(std::string* bytes) {
    (void)bytes;
    return false;
  }
  // True when Save would write exactly `bytes`; false when it would not or
  // the backend cannot tell. A backend may compare while serialising, so that
  // no copy of the whole document is made.
  virtual bool SerializesTo(std::string_view bytes) {
    std::string own;
    return Serialize(&own) && own == bytes;
  }

  // True when the document holds what the last Load read, unchanged since,
  // and saving it would write those very bytes back. False when that is not
  // so or the backend cannot tell: callers then compare with SerializesTo.
  virtual bool SavesAsLoaded() const { return false; }

  virtual XmlNode DocumentElement() = 0;
  // The first child element of `parent` with exactly this name.
  virtual XmlNode SelectSingleNode(XmlNode parent, std::u16string_view name) = 0;
  // Children in document order: element, comment and processing-instruction
  // nodes alike.
  virtual XmlNode FirstChild(XmlNode parent) = 0;
  virtual XmlNode NextSibling(XmlNode node) = 0;
  virtual XmlNode ParentNode(XmlNode node) = 0;
  virtual bool IsElement(XmlNode node) = 0;

  // The element's text content, trimmed at both ends (see the top of the
  // file for where it is not), replacing `*text`.
  virtual void GetText(XmlNode element, std::u16string* text) = 0;
  // Replaces all of the element's content by one text.
  virtual void SetText(XmlNode element, std::u16string_view text) = 0;
  // The node's text read as a decimal number, exactly as ParseDecimal reads
  // what GetText gives. A backend may read it without building the text.
  virtual int GetTextAsDecimal(XmlNode node) {
    std::u16string text;
    GetText(node, &text);
    return ParseDecimal(text);
  }

  // Replaces `*value` with the attribute's value; false (and `*value` left as
  // it was) when the element has no attribute of that exact name.
  virtual bool GetAttribute(XmlNode element, std::u16string_view name, std::u16string* value) = 0;
  virtual bool HasAttribute(XmlNode element, std::u16string_view name) = 0;
  // Creates the attribute, or replaces its value where it stands.
  virtual void SetAttribute(XmlNode element, std::u16string_view name,
                            std::u16string_view value) = 0;
  // Replaces the value of an attribute the element has, where it stands;
  // false, changing nothing, when it has none of that name. A backend may
  // do it with one lookup where HasAttribute and SetAttribute take two.
  virtual bool ReplaceAttribute(XmlNode element, std::u16string_view name,
                                std::u16string_view value) {
    if (!HasAttribute(element, name)) return false;
    SetAttribute(element, name, value);
    return true;
  }

  // Creates an element with this name and appends it as the last child.
  virtual XmlNode AppendElement(XmlNode parent, std::u16string_view name) = 0;
  virtual void RemoveChild(XmlNode parent, XmlNode child) = 0;
};

class XmlDom {
 public:
  virtual ~XmlDom() = default;
  // Prepares the calling thread for DOM documents; false when it cannot.
  // Each successful call is matched by one UninitializeThread on that thread.
  virtual bool InitializeThread() = 0;
  virtual void UninitializeThread() = 0;
  // A new, empty document, or null when none can be created.
  virtual std::unique_ptr<XmlDocument> CreateDocument() = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_XMLDOM_H_
