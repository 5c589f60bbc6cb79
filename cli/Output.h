// Output - what the commands print on standard output: aligned tables and
// NAME  VALUE lists for people, or one JSON object for scripts (--json).
// Nothing but the result goes to standard output.
#ifndef FENNIMAR_CLI_OUTPUT_H_
#define FENNIMAR_CLI_OUTPUT_H_

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace fennimar::cli {

using Json = nlohmann::ordered_json;

// Columns padded to their widest cell (counted in characters), two spaces
// apart; the last column is not padded.
class Table {
 public:
  explicit Table(std::vector<std::string> header);
  void AddRow(std::vector<std::string> row);
  void Print() const;

 private:
  std::vector<std::vector<std::string>> rows_;
};

// Two columns without a header: "name  value" lines.
void PrintPairs(const std::vector<std::pair<std::string, std::string>>& pairs);

// The object, indented by two, ending with a line break. Text that is not
// UTF-8 is replaced rather than refused.
void PrintJson(const Json& value);

// The number of characters of UTF-8 text.
std::size_t DisplayWidth(const std::string& text);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_OUTPUT_H_
