// reg: the registry below HKEY_CURRENT_USER, for people without a registry
// editor (on Linux the registry stand-in's file). `reg query` shows a key or
// value, `reg add` sets a value (creating its keys), `reg delete` removes a
// value or a key with everything below it, `reg export` prints all of it in
// the registry editor's export format.
#include <memory>
#include <optional>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/RegValues.h"
#include "cli/RegistryStore.h"
#include "src/common/Utf.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace fennimar::cli {
namespace {

using platform::Hive;
using platform::HiveKey;

constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER";

struct Arguments {
  std::string key;
  std::optional<std::string> value;
  std::string type = "REG_SZ";
  std::string data;
};

// The key's full path in the hive, from "HKEY_CURRENT_USER\..." or "HKCU\...".
std::u16string KeyPath(const std::string& key) {
  std::u16string path = Utf8ToUtf16(key);
  while (!path.empty() && path.back() == u'\\') path.pop_back();
  const auto slash = path.find(u'\\');
  const std::u16string_view root = std::u16string_view(path).substr(0, slash);
  if (!platform::NamesEqual(root, kRoot) && !platform::NamesEqual(root, u"HKCU")) {
    Fail(Exit::kUsage, "the key " + key +
                           " is not below HKEY_CURRENT_USER (or HKCU), "
                           "the only root kept");
  }
  std::u16string full(kRoot);
  if (slash != std::u16string::npos) full += path.substr(slash);
  if (const Status checked = platform::CheckKeyPath(full); !checked.ok()) {
    Fail(Exit::kUsage, "the key " + key + " is malformed: " + checked.message());
  }
  return full;
}

std::string ValueName(const std::u16string& name) {
  return name.empty() ? "(Default)" : Utf16ToUtf8(name);
}

[[noreturn]] void NoKey(const std::u16string& path) {
  Fail(Exit::kNotFound, "no registry key " + Utf16ToUtf8(path) + " " + InRegistry());
}

[[noreturn]] void NoValue(const std::string& name, const std::u16string& path) {
  Fail(Exit::kNotFound, "no value '" + name + "' in " + Utf16ToUtf8(path));
}

void PrintKey(const Hive& hive, const HiveKey* key, const std::u16string& path,
              const std::vector<const platform::HiveValue*>& values, bool json) {
  if (json) {
    Json list = Json::array();
    for (const auto* value : values) list.push_back(RegValueToJson(*value));
    Json object = {{"key", Utf16ToUtf8(key ? key->path() : path)}, {"values", list}};
    Json subkeys = Json::array();
    for (const auto& subkey : hive.ListSubkeys(path)) subkeys.push_back(Utf16ToUtf8(subkey));
    object["subkeys"] = subkeys;
    return PrintJson(object);
  }
  std::cout << Utf16ToUtf8(key ? key->path() : path) << '\n';
  if (!values.empty()) {
    Table table({"NAME", "TYPE", "DATA"});
    for (const auto* value : values) {
      table.AddRow({ValueName(value->name), RegTypeName(value->type), FormatRegData(*value)});
    }
    table.Print();
  }
  for (const auto& subkey : hive.ListSubkeys(path)) std::cout << Utf16ToUtf8(subkey) << '\n';
}

void Query(Context& context, const Arguments& arguments) {
  const std::u16string path = KeyPath(arguments.key);
  const Hive hive = OpenRegistry()->ReadKey(path);
  const HiveKey* key = hive.FindKey(path);
  if (key == nullptr && !platform::NamesEqual(path, kRoot)) NoKey(path);
  std::vector<const platform::HiveValue*> values;
  if (arguments.value) {
    const auto* value = key ? key->FindValue(Utf8ToUtf16(*arguments.value)) : nullptr;
    if (value == nullptr) NoValue(*arguments.value, path);
    values.push_back(value);
  } else if (key != nullptr) {
    for (const auto& value : key->values()) values.push_back(&value);
  }
  PrintKey(hive, key, path, values, context.options.json);
}

void Add(const Arguments& arguments) {
  const std::u16string path = KeyPath(arguments.key);
  const std::uint32_t type = ParseRegType(arguments.type);
  const std::string data = EncodeRegData(type, arguments.data);
  const std::u16string name = Utf8ToUtf16(arguments.value.value_or(std::string()));
  if (const Status checked = platform::CheckValueName(name); !checked.ok()) {
    Fail(Exit::kUsage, "cannot set the value: " + checked.message());
  }
  OpenRegistry()->SetValue(path, name, type, data);
}

void Delete(const Arguments& arguments) {
  const std::u16string path = KeyPath(arguments.key);
  if (!arguments.value && platform::NamesEqual(path, kRoot)) {
    Fail(Exit::kUsage, "HKEY_CURRENT_USER itself cannot be deleted");
  }
  const auto registry = OpenRegistry();
  const auto deleted = arguments.value ? registry->DeleteValue(path, Utf8ToUtf16(*arguments.value))
                                       : registry->DeleteKey(path);
  if (deleted == RegistryStore::Deleted::kNoKey) NoKey(path);
  if (deleted == RegistryStore::Deleted::kNoValue) NoValue(*arguments.value, path);
}

void Export(Context& context) {
  const auto all = OpenRegistry()->ReadAll();
  if (!context.options.json) {
    std::cout << platform::SerializeRegistryKeys(all);
    return;
  }
  Json keys = Json::array();
  for (const auto& key : all) {
    Json values = Json::array();
    for (const auto& value : key.values) values.push_back(RegValueToJson(value));
    std::u16string path(kRoot);
    if (!key.path.empty()) path.append(1, u'\\').append(key.path);
    keys.push_back(Json{{"key", Utf16ToUtf8(path)}, {"values", values}});
  }
  PrintJson(Json{{"keys", keys}});
}

}  // namespace

void AddRegCommand(CLI::App& app, Context& context) {
  const std::string where =
      std::string(RegistryHelp()) +
      "\nKEY is HKEY_CURRENT_USER\\... (or HKCU\\...); VALUE \"\" is the key's default value.";
  CLI::App* reg = AddCommand(
      app, context, "reg", "Look at and change the emulated registry",
      [] { Fail(Exit::kUsage, "reg needs a command; valid commands: query, add, delete, export"); },
      where);

  auto arguments = std::make_shared<Arguments>();
  CLI::App* query = AddCommand(
      *reg, context, "query", "Show a key (values and subkeys) or one value",
      [&context, arguments] { Query(context, *arguments); }, where);
  query->add_option("KEY", arguments->key, "The key")->required();
  query->add_option("VALUE", arguments->value, "The value's name");

  CLI::App* add = AddCommand(
      *reg, context, "add", "Set a value, creating the key if needed",
      [arguments] { Add(*arguments); },
      where +
          "\nREG_DWORD data is decimal or 0x-hex; REG_BINARY data is "
          "hex bytes (01,02,ff).");
  add->add_option("KEY", arguments->key, "The key")->required();
  add->add_option("VALUE", arguments->value, "The value's name")->required();
  add->add_option("--type", arguments->type, "REG_SZ (default), REG_DWORD or REG_BINARY")
      ->type_name("TYPE");
  add->add_option("--data", arguments->data, "The data")->required()->type_name("D");

  CLI::App* remove = AddCommand(
      *reg, context, "delete", "Delete a value, or a key with everything below it",
      [arguments] { Delete(*arguments); }, where);
  remove->add_option("KEY", arguments->key, "The key")->required();
  remove->add_option("VALUE", arguments->value, "The value's name");

  AddCommand(
      *reg, context, "export", "Print the whole of HKEY_CURRENT_USER",
      [&context] { Export(context); }, where);
}

}  // namespace fennimar::cli
