// Documents - the settings documents the benchmarks run on: the template as
// it is, and the template with N application items and N workspaces.
#ifndef FENNIMAR_BENCH_DOCUMENTS_H_
#define FENNIMAR_BENCH_DOCUMENTS_H_

#include <cstdint>
#include <string>
#include <vector>

namespace fennimar::bench {

struct DocumentCase {
  std::string label;  // "template", "100", ...
  int items = 0;      // application items, and as many workspaces; 0: the template's own
  std::string path;
  std::uintmax_t bytes = 0;  // size on disk
};

// The cases of a run: the template, then 100, 10,000 and 100,000 items.
std::vector<int> DefaultItemCounts();

// Writes the document for `items` (0: the template's own lists) at `path`,
// in the layout the library saves, so that opening and closing it leaves the
// same bytes. Throws std::runtime_error when the template cannot be read.
DocumentCase WriteDocument(const std::string& template_path, int items, const std::string& path);

}  // namespace fennimar::bench

#endif  // FENNIMAR_BENCH_DOCUMENTS_H_
