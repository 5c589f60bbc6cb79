#include "src/platform/win32/MsxmlIndent.h"

#include <string>
#include <vector>

#include "src/platform/win32/ComText.h"
#include "src/platform/win32/MsxmlGuids.h"

namespace fennimar::platform {
namespace {

constexpr std::u16string_view kIndent = u"  ";

DOMNodeType TypeOf(IXMLDOMNode& node) {
  DOMNodeType type = NODE_INVALID;
  return SUCCEEDED(node.get_nodeType(&type)) ? type : NODE_INVALID;
}

std::vector<ComPtr<IXMLDOMNode>> ChildrenOf(IXMLDOMNode& parent) {
  std::vector<ComPtr<IXMLDOMNode>> children;
  ComPtr<IXMLDOMNode> child;
  if (FAILED(parent.get_firstChild(child.Put()))) return children;
  while (child) {
    ComPtr<IXMLDOMNode> next;
    if (FAILED(child->get_nextSibling(next.Put()))) next.Reset();
    children.push_back(std::move(child));
    child = std::move(next);
  }
  return children;
}

// Only elements whose children are all markup (no text, no CDATA, no entity
// reference, which stands for text) are laid out; text would change meaning
// with added white space. So `<a>&e;</a>` stays on one line, as the component
// writes it.
bool HoldsOnlyMarkup(const std::vector<ComPtr<IXMLDOMNode>>& children) {
  if (children.empty()) return false;
  for (const auto& child : children) {
    const DOMNodeType type = TypeOf(*child.Get());
    if (type == NODE_TEXT || type == NODE_CDATA_SECTION || type == NODE_ENTITY_REFERENCE) {
      return false;
    }
  }
  return true;
}

std::u16string LineStart(int depth) {
  std::u16string text = u"\n";
  for (int i = 0; i < depth; ++i) text += kIndent;
  return text;
}

void InsertSpace(IXMLDOMDocument& document, IXMLDOMNode& parent, IXMLDOMNode* before, int depth) {
  const Bstr space(LineStart(depth));
  ComPtr<IXMLDOMText> text;
  if (FAILED(document.createTextNode(space.get(), text.Put())) || !text) return;
  ComPtr<IXMLDOMNode> inserted;
  Variant where;
  if (before != nullptr) {
    VARIANT* reference = where.Put();
    reference->vt = VT_DISPATCH;  // a node is an IDispatch
    before->AddRef();
    reference->pdispVal = before;
  }
  (void)parent.insertBefore(text.Get(), where.get(), inserted.Put());
}

void Indent(IXMLDOMDocument& document, IXMLDOMNode& element, int depth) {
  const std::vector<ComPtr<IXMLDOMNode>> children = ChildrenOf(element);
  const bool lay_out = HoldsOnlyMarkup(children);
  for (const auto& child : children) {
    if (lay_out) InsertSpace(document, element, child.Get(), depth + 1);
    if (TypeOf(*child.Get()) == NODE_ELEMENT) Indent(document, *child.Get(), depth + 1);
  }
  if (lay_out) InsertSpace(document, element, nullptr, depth);
}

}  // namespace

ComPtr<IXMLDOMDocument> IndentedCopy(IXMLDOMDocument& document) {
  ComPtr<IXMLDOMNode> clone;
  if (FAILED(document.cloneNode(VARIANT_TRUE, clone.Put())) || !clone) return {};
  ComPtr<IXMLDOMDocument> copy;
  if (FAILED(
          clone->QueryInterface(msxml::kIidXmlDomDocument, reinterpret_cast<void**>(copy.Put())))) {
    return {};
  }
  ComPtr<IXMLDOMElement> root;
  if (SUCCEEDED(copy->get_documentElement(root.Put())) && root) Indent(*copy.Get(), *root.Get(), 0);
  return copy;
}

}  // namespace fennimar::platform
