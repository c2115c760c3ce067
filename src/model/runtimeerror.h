#pragma once

#include <exception>
#include <string>

namespace kinetra {

/// Run-time error codes the program raises, numbered as the classic run-time error table.
namespace ErrorCode {
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileNameOrNumber = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int DeviceIOError = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEndOfFile = 62;
constexpr int BadFileName = 64;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidPropertyValue = 380;
constexpr int InvalidPicture = 481;
constexpr int PrinterError = 482;
} // namespace ErrorCode

/// The standard description of a run-time error code ("Overflow", "File not found", ...).
std::string errorDescription(int code);

/// A failure with its run-time error code and description; the error reporter reads both.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(int code);
    RuntimeError(int code, std::string description);

    int code() const noexcept { return m_code; }
    const std::string &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_description.c_str(); }

    /// The file the failure concerns, as the user named it; empty when none is known.
    const std::string &path() const noexcept { return m_path; }
    RuntimeError &setPath(std::string path)
    {
        m_path = std::move(path);
        return *this;
    }

private:
    int m_code;
    std::string m_description;
    std::string m_path;
};

/// Code and description of whatever exception is in flight (inside a catch block);
/// exceptions that are not run-time errors map to the nearest code.
RuntimeError currentFailure();

} // namespace kinetra
