// password: the scrambled password in its own file. `password set` stores a
// new one, `password check` says through the exit status whether one given
// matches. The file is --password-file, by default "password" beside the
// settings document. The password is read from the terminal without echo,
// or as one line of standard input when that is not a terminal.
#include <memory>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Terminal.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

std::string ReadPassword(const char* prompt) {
  auto password = ReadSecretLine(prompt);
  if (!password) Fail(Exit::kUsage, "no password given on standard input");
  return *password;
}

// An empty password lets anyone through the bar, and an empty line is easy
// to give by mistake (a bare Enter, an empty variable): it is stored only
// when --empty asks for it, and then nothing is read.
std::string NewPassword(bool empty) {
  if (empty) return {};
  std::string password = ReadPassword("New password: ");
  if (password.empty()) {
    Fail(Exit::kUsage,
         "the new password is empty; nothing was changed. To store an empty password (no "
         "password at all), use: fennimar password set --empty");
  }
  if (InputIsTerminal() && ReadPassword("Repeat it: ") != password) {
    Fail(Exit::kNotFound, "the two passwords do not match; nothing was changed");
  }
  return password;
}

void SetPassword(Context& context, bool empty) {
  const std::string password = NewPassword(empty);
  Session session(context.options);
  CString text = U16(password);
  try {
    session.library().SavePassword(text);
  } catch (const CFileException& error) {
    Fail(Exit::kWrite,
         "cannot write the password file " + session.password_file() + ": " + error.what());
  }
}

void CheckPassword(Context& context) {
  std::string password = ReadPassword("Password: ");
  Session session(context.options);
  CString candidate = U16(password);
  _Fennimar_ReturnCode_ code = RC_FAIL;
  try {
    code = session.library().ValidatePassword(candidate);
  } catch (const CFileException& error) {
    Fail(Exit::kWrite,
         "cannot read the password file " + session.password_file() + ": " + error.what());
  }
  if (code == RC_FAIL) Fail(Exit::kNotFound, WithRc("the password does not match", code));
  if (code != RC_SUCCESS) {
    Fail(Exit::kNotFound, WithRc("cannot open the password file " + session.password_file(), code));
  }
}

}  // namespace

void AddPasswordCommand(CLI::App& app, Context& context) {
  const std::string where =
      "The password is read from the terminal without echo, or as one line of\n"
      "standard input when that is not a terminal. It is kept in --password-file,\n"
      "by default the file \"password\" beside the settings document. The file is\n"
      "scrambled, not encrypted: anyone who can read it can recover the password.";
  CLI::App* password = AddCommand(
      app, context, "password", "Set or check the password",
      [] { Fail(Exit::kUsage, "password needs a command; valid commands: set, check"); }, where);
  auto empty = std::make_shared<bool>(false);
  CLI::App* set = AddCommand(
      *password, context, "set", "Store a new password",
      [&context, empty] { SetPassword(context, *empty); },
      where + "\nAn empty password is refused (status 2) unless --empty is given.");
  set->add_flag("--empty", *empty, "Store an empty password (no password); reads nothing");
  AddCommand(
      *password, context, "check", "Check a password: exit status 0 when it matches, 1 when not",
      [&context] { CheckPassword(context); }, where);
}

}  // namespace fennimar::cli
