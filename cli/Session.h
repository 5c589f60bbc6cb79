// Session - the fennimar command as a host of the library. It opens the
// settings document through FennimarDllInterface exactly as a host program
// does, and keeps the first-use flag as it was when the command started.
//
// First use: while the registry's first-use flag is not 0, constructing the
// interface replaces the document with the template beside the program. Like
// every host, the command clears the flag once the interface is constructed,
// so that the template is installed once and the document is kept from then
// on; `fennimar first-use` still reports the flag as it was found.
//
// Sharing: the command opens the document in shared mode, so that it never
// undoes what another program saved; a command that changes a record holds
// the document from its read to its write (HoldForChange).
#ifndef FENNIMAR_CLI_SESSION_H_
#define FENNIMAR_CLI_SESSION_H_

#include <cstdint>
#include <optional>
#include <string>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::cli {

// The options that every command takes.
struct GlobalOptions {
  std::string document;       // --document or $FENNIMAR_DOCUMENT; empty: the default
  std::string password_file;  // --password-file; empty: "password" beside the document
  bool json = false;          // --json

  // Absolute paths with the defaults applied.
  std::string DocumentPath() const;
  std::string PasswordFilePath() const;
};

class Session {
 public:
  // `shared` false opens the document with a private copy, which the library
  // writes back whole when the session ends.
  explicit Session(const GlobalOptions& options, bool shared = true);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  FennimarDllInterface& library() { return library_; }
  const std::string& document() const { return document_; }
  const std::string& password_file() const { return password_file_; }
  // The first-use flag as read when the session opened; nullopt when it
  // could not be read.
  const std::optional<std::uint32_t>& first_use() const { return first_use_; }
  // What reading the flag answered.
  _Fennimar_ReturnCode_ first_use_result() const { return first_use_result_; }

  // Fails (document) for a section method that answered `code`: "no
  // AppList section in PATH (RC_FAIL)", or, when no section can be read at
  // all, "the settings document PATH could not be loaded (RC_FAIL)". A
  // change whose save did not reach the disk fails (write) with the
  // library's reason: "cannot save PATH: read-only file system
  // (RC_FILE_ERROR)".
  [[noreturn]] void FailSection(const std::string& section, _Fennimar_ReturnCode_ code);
  // Calls FailSection unless `code` is RC_SUCCESS.
  void CheckSection(const std::string& section, _Fennimar_ReturnCode_ code);
  // True when at least one section of the document can be read.
  bool DocumentLoaded();
  // Holds the document until the session ends, so that what the command
  // reads and then writes back is one step, and warns, in one line on
  // standard error, when a program that keeps its own copy of the document
  // runs: it may write its copy back over the change when it closes.
  void HoldForChange();

 private:
  void ClearFirstUse();

  std::string document_;
  std::string password_file_;
  FennimarDllInterface library_;
  std::optional<std::uint32_t> first_use_;
  _Fennimar_ReturnCode_ first_use_result_ = RC_SUCCESS;
  std::optional<FennimarDocumentHold> hold_;  // released before library_ goes
};

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_SESSION_H_
