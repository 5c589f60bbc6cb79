// FakeServices - small substitutes for platform services that tests use to
// count what the library does without spending time or touching the host.
#ifndef FENNIMAR_TESTS_SUPPORT_FAKESERVICES_H_
#define FENNIMAR_TESTS_SUPPORT_FAKESERVICES_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/Services.h"

namespace fennimar::testing {

// Records every wait instead of sleeping.
class CountingSleeper : public platform::Sleeper {
 public:
  void SleepMilliseconds(unsigned milliseconds) override { waits.push_back(milliseconds); }
  std::vector<unsigned> waits;
};

// Reports a fixed module and executable file name, the shared data folders
// given (none by default) and, when `per_user_root` is set, per-user folders
// below it that mirror the program's.
class FixedModulePath : public platform::ModulePath {
 public:
  explicit FixedModulePath(std::u16string file_name) : file_name_(std::move(file_name)) {}
  std::u16string ModuleFileName() override { return file_name_; }
  std::u16string ExecutableFileName() override { return file_name_; }
  std::vector<std::u16string> SharedDataFolders() override { return shared_data; }
  std::u16string PerUserFolderFor(std::u16string_view folder) override {
    return per_user_root.empty() ? per_user_root : per_user_root + std::u16string(folder);
  }

  std::vector<std::u16string> shared_data;
  std::u16string per_user_root;

 private:
  std::u16string file_name_;
};

// Forwards to the real DOM, counting documents created, and can refuse to
// prepare the thread or to create documents.
class CountingXmlDom : public platform::XmlDom {
 public:
  explicit CountingXmlDom(platform::XmlDom& real) : real_(real) {}
  bool InitializeThread() override {
    ++initializations;
    return !fail_initialize && real_.InitializeThread();
  }
  void UninitializeThread() override {
    ++uninitializations;
    real_.UninitializeThread();
  }
  std::unique_ptr<platform::XmlDocument> CreateDocument() override {
    ++documents_created;
    return fail_create ? nullptr : real_.CreateDocument();
  }

  bool fail_initialize = false;
  bool fail_create = false;
  int initializations = 0;
  int uninitializations = 0;
  int documents_created = 0;

 private:
  platform::XmlDom& real_;
};

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_FAKESERVICES_H_
