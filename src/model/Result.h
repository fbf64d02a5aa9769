// Errors of the plain-C++ layers are values: a code and a message for the user.
#pragma once

#include <string>
#include <utility>

namespace presetor {

enum class ErrorCode {
    None,
    InvalidFile, // not a preset file, or a damaged one
    IoError,     // the file could not be read or written
    TooLarge,    // the file is larger than any valid one; refused before reading
    ReadOnly,    // the file to be replaced is read-only
    NoSpace,     // the disk is full; the file on disk is unchanged
    BadData,     // malformed outside bytes (SysEx, sound list)
    NoAnswer,    // the keyboard did not answer
    SendFailed,  // a send to the keyboard failed
    Cancelled,
};

class Result {
public:
    Result() = default;
    static Result Ok() { return {}; }
    static Result Fail(ErrorCode code, std::string message) {
        Result r;
        r.code_ = code;
        r.message_ = std::move(message);
        return r;
    }
    bool ok() const { return code_ == ErrorCode::None; }
    explicit operator bool() const { return ok(); }
    ErrorCode code() const { return code_; }
    const std::string& message() const { return message_; }

private:
    ErrorCode code_ = ErrorCode::None;
    std::string message_;
};

} // namespace presetor
