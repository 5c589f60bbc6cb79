// The hostile-input catalogue (HostileInput.h) on the settings document.
#include <string>
#include <string_view>
#include <vector>

#include "tests/reliability/HostileInput.h"
#include "tests/reliability/Platform.h"

namespace fennimar::hostile {
namespace {

// External entities are never fetched and expansion is bounded: each of these
// is refused.
void AddEntities(const std::string& secret_uri, std::vector<Input>& in) {
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE FennimarSetting [<!ENTITY l0 \"lol\">";
  for (int i = 1; i <= 9; ++i)
    laughs += "<!ENTITY l" + std::to_string(i) + " \"" +
              Repeat("&l" + std::to_string(i - 1) + ";", 10) + "\">";
  const std::string body =
      "<FennimarSetting><AppList><AppItem key=\"&E;\" path=\"&E;\" parameter=\"&E;\" "
      "descriptionName=\"&E;\"/></AppList><GlobalSetting><a>&E;</a></GlobalSetting>"
      "<BackgroundSetting><f>&E;</f><s>1</s></BackgroundSetting><WorkspaceSetting><Workspace "
      "key=\"1\" name=\"&E;\" styleID=\"1\" mouseStyle=\"&E;\" emRecylePath=\"&E;\" "
      "fuRecylePath=\"\" mouseNo=\"0\" recyleNo=\"0\" useTarsel=\"0\"/></WorkspaceSetting>"
      "</FennimarSetting>";
  in.push_back({"billion laughs", laughs + "]>\n" + Replace(body, "&E;", "&l9;")});
  in.push_back({"external entity",
                "<!DOCTYPE FennimarSetting [<!ENTITY E SYSTEM \"" + secret_uri + "\">]>" + body});
  in.push_back({"external parameter entity", "<!DOCTYPE FennimarSetting [<!ENTITY % p SYSTEM \"" +
                                                 secret_uri + "\">%p;]>" + body});
  in.push_back({"external DTD", "<!DOCTYPE FennimarSetting SYSTEM \"" + secret_uri + "\">" + body});
}

std::vector<Input> DocumentInputs(const std::string& full) {
  std::vector<Input> in;
  // Every prefix: those that hold the root's end tag are the whole document.
  constexpr std::string_view kEnd = "</FennimarSetting>";
  const std::size_t whole = full.find(kEnd) + kEnd.size();
  for (std::size_t size = 0; size < full.size(); ++size)
    in.push_back(
        {"cut to " + std::to_string(size) + " bytes", full.substr(0, size), size >= whole});
  for (const char* text :
       {"<FennimarSetting>", "<FennimarSetting><AppList></FennimarSetting>", "<a/><b/>", "<a/>text",
        "text<a/>", "<a b=1/>", "<a b=\"1\" b=\"2\"/>", "<!-- no root -->",
        "<?xml version=\"1.0\"?>", "<a><![CDATA[x</a>", "<a></b>", "</a>", "<a x='1\"/>", "<1a/>"})
    in.push_back({std::string("not well-formed: ") + text, text});
  for (const unsigned seed : {1u, 2u, 3u})
    for (const std::size_t size : {std::size_t{1}, std::size_t{64}, full.size(), kMegabyte / 16})
      in.push_back({"noise of " + std::to_string(size), Noise(size, seed)});
  in.push_back({"noise after a start tag", "<FennimarSetting>" + Noise(4096, 9)});
  in.push_back({"zero bytes, as many as the template's", std::string(full.size(), '\0')});
  in.push_back({"100,000-deep nesting", "<FennimarSetting>" + Repeat("<a>", 100000) +
                                            Repeat("</a>", 100000) + "</FennimarSetting>"});
  const std::string utf16 = Replace(full, "UTF-8", "UTF-16");
  in.push_back({"control: UTF-16LE as declared", Utf16LeWithBom(utf16), true});
  in.push_back({"control: UTF-8 with its byte order mark", "\xEF\xBB\xBF" + full, true});
  for (const char* bad : {"\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80"})
    in.push_back({"invalid UTF-8", Replace(full, "Terminal", std::string("Term") + bad + "inal")});
  for (const char* reference : {"&#xD800;", "&#x110000;", "&#55296;"})
    in.push_back({std::string("reference to ") + reference, Replace(full, "Terminal", reference)});
  in.push_back({"UTF-8 mark, UTF-16 declared", "\xEF\xBB\xBF" + utf16});
  in.push_back({"UTF-16LE mark, UTF-8 declared", Utf16LeWithBom(full)});
  in.push_back({"UTF-8 mark, Latin-1 declared", "\xEF\xBB\xBF" + Replace(full, "UTF-8", "latin1")});
  in.push_back({"declared windows-1252", Replace(full, "UTF-8", "windows-1252"), true});
  in.push_back({"declared encoding nobody knows", Replace(full, "UTF-8", "x-unknown")});
  in.push_back({"UTF-16LE, odd size", Utf16LeWithBom(utf16) + "<"});
  in.push_back(
      {"UTF-16LE, unpaired surrogate",
       Replace(Utf16LeWithBom(utf16), Utf16LeWithBom("Terminal").substr(2),
               Utf16LeWithBom("Term").substr(2) + std::string("\0\xD8", 2) + Utf16LeWithBom("inal").substr(2))});
  // Where the platform's XML component reads what the stand-in refuses, the
  // component is the reference.
  for (Input& input : in) input.readable = input.readable || reliability::PlatformReadsDocument(input.name);
  return in;
}

// Refused whatever the XML component: entities that stand for other files or
// grow without bound, and a document too large to be settings.
TEST_F(HostileInputTest, DocumentsThatCannotBeLoadedLeaveAnEmptyObjectAndTheFileAsItWas) {
  const std::string full = ReadFileOrDie(TemplatePath());
  std::vector<Input> inputs = DocumentInputs(full);
  WriteFileOrDie(PathOf("secret.txt"), kSecret);
  std::string secret = PathOf("secret.txt").generic_u8string();
  if (secret.front() != '/') secret.insert(0, "/");  // file:///C:/... on Windows
  AddEntities("file://" + secret, inputs);
  inputs.push_back({"100 MB (the template, then a hole)", full, false, RC_FAIL, 0, kHugeFileBytes});
  for (const Input& input : inputs) {
    // The system's component fetches no external DTD either, but then reads
    // an entity it could not see declared as empty text, where the stand-in
    // refuses the document; the two backends part here.
    if (!reliability::StandInsHere() && input.name == "external DTD") continue;
    SCOPED_TRACE(input.name);
    WriteInput(DocumentPath(), input);
    CheckDocument(DocumentPath(), input, !input.readable);
  }
  Report("documents", inputs.size());
}

TEST_F(HostileInputTest, AttributeValuesWithMarkupAndNonBmpCharactersRoundTripExactly) {
  const std::string emoji = "\xF0\x9F\x98\x80", planes = "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
  const std::vector<std::string> values = {"<>&\"'",        "&amp;&lt;&#10;&#x1F600;",
                                           "tab\there",     "cr\rlf\ncrlf\r\n end",
                                           " lead, trail ", "]]> <!-- --> <?pi?> <![CDATA[x]]>",
                                           emoji + planes,  "\t<\r&\n\"'" + emoji + " "};
  auto lib = Open(ReadFileOrDie(TemplatePath()));
  for (CString path : {u"/usr/bin/firefox", u"/usr/bin/gnome-terminal"})  // room for eight
    ASSERT_EQ(lib->DeleteAppItem(path), RC_SUCCESS);
  for (const std::string& v : values) {
    _Fennimar_AppItem_ item{CString(U16(v)), CString(U16(v + "/p")), CString(U16(v + "/x")),
                            CString(U16(v + "/d"))};
    ASSERT_EQ(lib->AddAppItem(item), RC_SUCCESS) << v;
    if (v == values[3]) lib = Reopen();  // a reopen half-way through, too
  }
  lib = Reopen();
  std::vector<_Fennimar_AppItem_> items;
  ASSERT_EQ(lib->GetApplicationsList(items), RC_SUCCESS);
  ASSERT_EQ(items.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto& item = items[i];
    EXPECT_EQ(item.key.ToUtf8() + item.path.ToUtf8() + item.parameter.ToUtf8() +
                  item.descriptionName.ToUtf8(),
              values[i] + values[i] + "/p" + values[i] + "/x" + values[i] + "/d");
  }
  Report("attribute values", values.size());
}

}  // namespace
}  // namespace fennimar::hostile
