// Status - the outcome of an internal operation: success, or a failure kind
// with the operating system's error number and a message naming the path.
#ifndef FENNIMAR_COMMON_STATUS_H_
#define FENNIMAR_COMMON_STATUS_H_

#include <string>
#include <utility>

namespace fennimar {

class [[nodiscard]] Status {
 public:
  enum class Code {
    kOk,
    kNotFound,      // the file, folder, key or value does not exist
    kIoError,       // any other failure of the operating system
    kBusy,          // the file is held open by someone else (no sharing)
    kCorrupt,       // the content cannot be parsed; it is left as it was
    kTooLarge,      // data does not fit the stated capacity
    kInvalid,       // bad argument
  };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status NotFound(std::string message, int os_error = 0) {
    return Status(Code::kNotFound, os_error, std::move(message));
  }
  static Status IoError(std::string message, int os_error = 0) {
    return Status(Code::kIoError, os_error, std::move(message));
  }
  static Status Busy(std::string message, int os_error = 0) {
    return Status(Code::kBusy, os_error, std::move(message));
  }
  static Status Corrupt(std::string message) {
    return Status(Code::kCorrupt, 0, std::move(message));
  }
  static Status TooLarge(std::string message) {
    return Status(Code::kTooLarge, 0, std::move(message));
  }
  static Status Invalid(std::string message) {
    return Status(Code::kInvalid, 0, std::move(message));
  }

  // What a failure to write means to a person, where the backend can tell;
  // set by the one function of each backend that maps the system's errors.
  enum class Cause {
    kOther,
    kReadOnlyFile,        // the file is marked read-only
    kReadOnlyFileSystem,  // the volume is mounted (or write-protected) read-only
    kPermissionDenied,    // the user may not write the file or its folder
    kNoSpace,             // the disk (or the user's quota) is full
  };
  // The same status with its cause named.
  Status Because(Cause cause) && {
    cause_ = cause;
    return std::move(*this);
  }
  Cause cause() const { return cause_; }

  bool ok() const { return code_ == Code::kOk; }
  bool IsNotFound() const { return code_ == Code::kNotFound; }
  Code code() const { return code_; }
  int os_error() const { return os_error_; }
  const std::string& message() const { return message_; }

 private:
  Status(Code code, int os_error, std::string message)
      : code_(code), os_error_(os_error), message_(std::move(message)) {}

  Code code_ = Code::kOk;
  int os_error_ = 0;
  Cause cause_ = Cause::kOther;
  std::string message_;
};

}  // namespace fennimar

#endif  // FENNIMAR_COMMON_STATUS_H_
