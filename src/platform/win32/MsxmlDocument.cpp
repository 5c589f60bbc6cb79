// MsxmlDocument - the XmlDocument operations on a DOMDocument.
//
// An XmlNode holds an IXMLDOMNode pointer. The component hands out a new
// reference with every node it returns, and the caller's XmlNode has no
// destructor to give it back, so each reference is kept in the document's
// arena and released when the document goes; that is what keeps a handle
// valid for the document's life. A node the arena already holds gives its
// extra reference back at once, so a component that returns the same object
// for the same node (as the system's does) keeps the arena no larger than
// the tree; a component that returns a new object each time (Wine's does)
// grows the arena with every step through the tree until the document goes.
// Every other interface pointer is released as soon as it has
// served.
#include "src/platform/win32/MsxmlDocument.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

#include "src/common/Utf.h"
#include "src/common/WideText.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/XmlReferences.h"
#include "src/platform/XmlText.h"
#include "src/platform/win32/ComText.h"
#include "src/platform/win32/MsxmlGuids.h"
#include "src/platform/win32/MsxmlIndent.h"
#include "src/platform/win32/MsxmlSave.h"

namespace fennimar::platform {
namespace {

// Refuses names that would make the saved file unreadable: empty ones and ones
// holding markup characters, white space or control characters. The
// component itself takes "bad name" for an element. Non-ASCII letters pass,
// as in every backend of the library.
bool IsWritableName(std::u16string_view name) {
  if (name.empty()) return false;
  const char16_t first = name.front();
  if (first == u'-' || first == u'.' || (first >= u'0' && first <= u'9')) return false;
  for (const char16_t c : name) {
    if (c <= 0x20 || std::u16string_view(u"<>&\"'/=?!").find(c) != std::u16string_view::npos) {
      return false;
    }
  }
  return true;
}

IXMLDOMNode* ToDom(XmlNode node) { return static_cast<IXMLDOMNode*>(node.handle()); }

// The node as an element, or null when it is some other kind of node.
ComPtr<IXMLDOMElement> AsElement(XmlNode node) {
  ComPtr<IXMLDOMElement> element;
  if (node) {
    (void)ToDom(node)->QueryInterface(msxml::kIidXmlDomElement,
                                      reinterpret_cast<void**>(element.Put()));
  }
  return element;
}

bool NameIs(IXMLDOMNode& node, std::u16string_view name) {
  Bstr node_name;
  return SUCCEEDED(node.get_nodeName(node_name.Put())) && node_name.ToU16() == name;
}

bool IsLargerThan(std::u16string_view path, std::uint64_t limit) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (HasNul(path) || !::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
    return false;  // the load itself then fails
  }
  return (std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow) > limit;
}

constexpr unsigned kNewFileMode = 0644;  // not kept: see Win32FileSystem

bool IsElementNode(IXMLDOMNode& node) {
  DOMNodeType type = NODE_INVALID;
  return SUCCEEDED(node.get_nodeType(&type)) && type == NODE_ELEMENT;
}

class MsxmlDocument : public XmlDocument {
 public:
  MsxmlDocument(ComPtr<IXMLDOMDocument> document, FileSystem& files)
      : document_(std::move(document)), files_(files) {
    // Loading finishes before load returns; external entities are not fetched.
    (void)document_->put_async(VARIANT_FALSE);
    (void)document_->put_resolveExternals(VARIANT_FALSE);
    (void)document_->put_validateOnParse(VARIANT_FALSE);
    (void)document_->put_preserveWhiteSpace(VARIANT_FALSE);
  }

  // Refused, as the other backend refuses them, leaving the document empty:
  // a file too large to be settings, and a document type declaration whose
  // entities the other backend would not expand (the component expands some
  // of them, fetches none, and keeps the references when it saves).
  bool Load(std::u16string_view path) override {
    load_error_.clear();
    if (IsLargerThan(path, kMaxXmlDocumentBytes)) return Clear("the file is too large");
    const Variant source(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT result = document_->load(source.get(), &loaded);
    if (FAILED(result) || loaded != VARIANT_TRUE || !DocumentElement()) {
      return Clear("the component did not load it");
    }
    std::string refused = DocumentTypeProblem();
    if (!refused.empty()) return Clear(std::move(refused));
    return true;
  }

  std::string LoadError() const override { return load_error_; }

  // The component's own bytes, written by the library's atomic routine.
  bool Save(std::u16string_view path) override {
    std::string bytes;
    return Serialize(&bytes) && WriteFileAtomically(files_, path, bytes, kNewFileMode).ok();
  }

  // Laid out by indenting a copy, then saved by the component into memory.
  bool Serialize(std::string* bytes) override {
    if (!DocumentElement()) return false;
    const ComPtr<IXMLDOMDocument> laid_out = IndentedCopy(*document_.Get());
    return laid_out && SaveToBytes(*laid_out.Get(), bytes);
  }

  std::string DocumentTypeProblem() {
    ComPtr<IXMLDOMDocumentType> type;
    if (document_->get_doctype(type.Put()) != S_OK || !type) return {};
    // Wine's component gives no text for the declaration node itself, so it
    // is cut from the document's.
    Bstr text;
    if (FAILED(document_->get_xml(text.Put()))) return "a document type that cannot be read";
    const std::string whole = Utf16ToUtf8(text.ToU16());
    const std::size_t start = whole.find("<!DOCTYPE");
    if (start == std::string::npos) return "a document type that cannot be read";
    const std::size_t first_end = whole.find('>', start);
    const std::size_t subset = whole.find('[', start);
    const std::size_t end = subset < first_end ? whole.find("]>", subset) : first_end;
    if (end == std::string::npos) return "a document type that cannot be read";
    xml::EntityTable entities;
    return xml::ReadDocumentType(std::string_view(whole).substr(start, end + 2 - start), &entities);
  }

  // Loading an empty text leaves the document without any node. False, for
  // the caller's Load.
  bool Clear(std::string reason) {
    load_error_ = std::move(reason);
    const Bstr nothing(u"");
    VARIANT_BOOL loaded = VARIANT_FALSE;
    (void)document_->loadXML(nothing.get(), &loaded);
    return false;
  }

  XmlNode DocumentElement() override {
    ComPtr<IXMLDOMElement> root;
    if (FAILED(document_->get_documentElement(root.Put()))) return XmlNode();
    return Keep(root.Detach());
  }

  // The children are walked and compared by name, rather than handing the
  // name to the component's XPath, so that any name matches only itself.
  XmlNode SelectSingleNode(XmlNode parent, std::u16string_view name) override {
    for (XmlNode child = FirstChild(parent); child; child = NextSibling(child)) {
      if (IsElementNode(*ToDom(child)) && NameIs(*ToDom(child), name)) return child;
    }
    return XmlNode();
  }

  XmlNode FirstChild(XmlNode parent) override {
    ComPtr<IXMLDOMNode> child;
    if (!parent || FAILED(ToDom(parent)->get_firstChild(child.Put()))) return XmlNode();
    return Keep(child.Detach());
  }

  XmlNode NextSibling(XmlNode node) override {
    ComPtr<IXMLDOMNode> sibling;
    if (!node || FAILED(ToDom(node)->get_nextSibling(sibling.Put()))) return XmlNode();
    return Keep(sibling.Detach());
  }

  // The root element's parent is the document node.
  XmlNode ParentNode(XmlNode node) override {
    ComPtr<IXMLDOMNode> parent;
    if (!node || FAILED(ToDom(node)->get_parentNode(parent.Put()))) return XmlNode();
    return Keep(parent.Detach());
  }

  bool IsElement(XmlNode node) override { return node && IsElementNode(*ToDom(node)); }

  // The component's text of an element is its descendants' text; it is
  // trimmed here as well, whatever the component did with the ends.
  void GetText(XmlNode node, std::u16string* text) override {
    text->clear();
    Bstr value;
    if (!node || FAILED(ToDom(node)->get_text(value.Put()))) return;
    *text = value.ToU16();
    if (!KeepsTextEnds(node)) TrimXmlWhitespace(*text);
  }

  // The component keeps the ends of a lone CDATA section's text and of text
  // under xml:space="preserve"; everywhere else it trims them too.
  bool KeepsTextEnds(XmlNode node) {
    const XmlNode first = FirstChild(node);
    DOMNodeType type = NODE_INVALID;
    if (first && !NextSibling(first) && SUCCEEDED(ToDom(first)->get_nodeType(&type)) &&
        type == NODE_CDATA_SECTION) {
      return true;
    }
    for (XmlNode at = node; IsElement(at); at = ParentNode(at)) {
      std::u16string space;
      if (GetAttribute(at, u"xml:space", &space)) return space == u"preserve";
    }
    return false;
  }

  // The old children are taken out one at a time before the text is put in:
  // Wine's component frees the children that put_text replaces outright, even
  // those this document still holds a reference to in its arena, whose later
  // release then corrupts the heap. A removed child stays alive until its
  // last reference goes, on every implementation.
  void SetText(XmlNode node, std::u16string_view given) override {
    if (!node) return;
    std::u16string scratch;
    const std::u16string_view text = StoredXmlValue(given, scratch);
    IXMLDOMNode& element = *ToDom(node);
    for (;;) {
      ComPtr<IXMLDOMNode> child;
      ComPtr<IXMLDOMNode> removed;
      if (element.get_firstChild(child.Put()) != S_OK || !child ||
          FAILED(element.removeChild(child.Get(), removed.Put()))) {
        break;
      }
    }
    if (text.empty()) return;
    const Bstr value(text);
    (void)element.put_text(value.get());
  }

  bool GetAttribute(XmlNode node, std::u16string_view name, std::u16string* value) override {
    const ComPtr<IXMLDOMElement> element = AsElement(node);
    if (!element) return false;
    const Bstr key(name);
    Variant found;
    if (element->getAttribute(key.get(), found.Put()) != S_OK || !found.IsString()) return false;
    *value = found.ToU16();
    return true;
  }

  bool HasAttribute(XmlNode node, std::u16string_view name) override {
    const ComPtr<IXMLDOMElement> element = AsElement(node);
    if (!element) return false;
    const Bstr key(name);
    ComPtr<IXMLDOMAttribute> attribute;
    return element->getAttributeNode(key.get(), attribute.Put()) == S_OK && attribute;
  }

  // The component keeps an existing attribute where it stands. The value is
  // stored as the other backend stores it: the component would keep a
  // control character here and then save a file it cannot load.
  void SetAttribute(XmlNode node, std::u16string_view name, std::u16string_view value) override {
    const ComPtr<IXMLDOMElement> element = AsElement(node);
    if (!element || !IsWritableName(name)) return;
    const Bstr key(name);
    std::u16string scratch;
    const Variant text(StoredXmlValue(value, scratch));
    (void)element->setAttribute(key.get(), text.get());
  }

  XmlNode AppendElement(XmlNode parent, std::u16string_view name) override {
    if (!IsElement(parent) || !IsWritableName(name)) return XmlNode();
    const Bstr key(name);
    ComPtr<IXMLDOMElement> element;
    if (FAILED(document_->createElement(key.get(), element.Put())) || !element) return XmlNode();
    ComPtr<IXMLDOMNode> appended;
    if (FAILED(ToDom(parent)->appendChild(element.Get(), appended.Put()))) return XmlNode();
    return Keep(appended.Detach());
  }

  // The component removes only a child of `parent`; anything else is left.
  void RemoveChild(XmlNode parent, XmlNode child) override {
    if (!parent || !child) return;
    ComPtr<IXMLDOMNode> removed;
    (void)ToDom(parent)->removeChild(ToDom(child), removed.Put());
  }

 private:
  // Takes one reference to `node` into the arena (see the top of the file).
  XmlNode Keep(IXMLDOMNode* node) {
    if (node == nullptr) return XmlNode();
    ComPtr<IXMLDOMNode> reference;
    *reference.Put() = node;
    auto [it, inserted] = arena_.try_emplace(node, std::move(reference));
    (void)it;
    (void)inserted;  // when already held, `reference` releases the extra one here
    return XmlNode(node);
  }

  // Declared first, destroyed last: the nodes go before their document.
  ComPtr<IXMLDOMDocument> document_;
  std::unordered_map<IXMLDOMNode*, ComPtr<IXMLDOMNode>> arena_;
  std::string load_error_;
  FileSystem& files_;
};

}  // namespace

std::unique_ptr<XmlDocument> NewMsxmlDocument(ComPtr<IXMLDOMDocument> document, FileSystem& files) {
  return std::make_unique<MsxmlDocument>(std::move(document), files);
}

}  // namespace fennimar::platform
