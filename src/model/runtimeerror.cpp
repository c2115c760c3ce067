#include "model/runtimeerror.h"

#include <new>
#include <stdexcept>

namespace kinetra {

std::string errorDescription(int code)
{
    switch (code) {
    case 3: return "Return without GoSub";
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 10: return "This array is fixed or temporarily locked";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 14: return "Out of string space";
    case 16: return "Expression too complex";
    case 17: return "Can't perform requested operation";
    case 18: return "User interrupt occurred";
    case 20: return "Resume without error";
    case 28: return "Out of stack space";
    case 35: return "Sub or Function not defined";
    case 47: return "Too many DLL application clients";
    case 48: return "Error in loading DLL";
    case 49: return "Bad DLL calling convention";
    case 51: return "Internal error";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 54: return "Bad file mode";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 59: return "Bad record length";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 63: return "Bad record number";
    case 67: return "Too many files";
    case 68: return "Device unavailable";
    case 70: return "Permission denied";
    case 71: return "Disk not ready";
    case 74: return "Can't rename with different drive";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 91: return "Object variable or With block variable not set";
    case 92: return "For loop not initialized";
    case 93: return "Invalid pattern string";
    case 94: return "Invalid use of Null";
    case 380: return "Invalid property value";
    case 381: return "Invalid property array index";
    case 384: return "A form can't be moved or sized while minimized or maximized";
    case 424: return "Object required";
    case 438: return "Object doesn't support this property or method";
    case 440: return "Automation error";
    case 480: return "Can't create AutoRedraw image";
    case 481: return "Invalid picture";
    case 482: return "Printer error";
    case 483: return "Printer driver does not support specified property";
    case 484: return "Problem getting printer information from the system. "
                     "Make sure the printer is set up correctly";
    case 485: return "Invalid picture type";
    case 486: return "Can't print form image to this type of printer";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int code)
    : RuntimeError(code, errorDescription(code))
{
}

RuntimeError::RuntimeError(int code, std::string description)
    : m_code(code)
    , m_description(std::move(description))
{
}

RuntimeError currentFailure()
{
    try {
        throw;
    } catch (const RuntimeError &e) {
        return e;
    } catch (const std::bad_alloc &) {
        return RuntimeError(ErrorCode::OutOfMemory);
    } catch (const std::out_of_range &) {
        return RuntimeError(ErrorCode::SubscriptOutOfRange);
    } catch (const std::overflow_error &) {
        return RuntimeError(ErrorCode::Overflow);
    } catch (const std::exception &e) {
        return RuntimeError(51, std::string("Internal error: ") + e.what());
    } catch (...) {
        return RuntimeError(51);
    }
}

} // namespace kinetra
