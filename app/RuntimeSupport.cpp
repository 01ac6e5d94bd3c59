// Replacements for two pieces of the static C++ runtime, each of which
// would otherwise bring far more into Velorix.exe than the program uses.
// They are found here before the runtime library is searched, so the
// library's own members are never linked; a later need for any other
// member of theirs would fail the link with a duplicate definition rather
// than pass unnoticed.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

#include <cxxabi.h>

#include "framework/Win32.h"

namespace {

// What the string and container templates throw where the standard says
// length_error, logic_error or out_of_range. The standard types carry a
// reference-counted string of the runtime's older string implementation,
// which alone would link a second copy of every string function (about
// 50 KB). Nothing in the program catches those types by name: the window
// and dialog procedures catch everything.
class CLibraryError : public std::exception {
public:
    explicit CLibraryError(const char* what) noexcept : m_what(what ? what : "library error") {}
    const char* what() const noexcept override { return m_what; }

private:
    const char* m_what;  // the runtime's own message, a literal
};

}  // namespace

namespace std {

void __throw_bad_alloc()
{
    throw bad_alloc();
}

void __throw_length_error(const char* what)
{
    throw CLibraryError(what);
}

void __throw_logic_error(const char* what)
{
    throw CLibraryError(what);
}

// The message stays unformatted: its arguments are positions, of no use
// to anyone reading it after the fact.
void __throw_out_of_range_fmt(const char* format, ...)
{
    throw CLibraryError(format);
}

}  // namespace std

namespace __gnu_cxx {

// The runtime's own handler names the exception's type in readable form,
// which links the whole symbol demangler (about 46 KB) into a program that
// has no console to print it on. This one leaves the raw type name and the
// message for a debugger, then ends the process the same way.
void __verbose_terminate_handler()
{
    static bool terminating = false;
    if (!terminating) {
        terminating = true;
        ::OutputDebugStringA("terminate called");
        if (const std::type_info* type = abi::__cxa_current_exception_type()) {
            ::OutputDebugStringA(" after throwing an instance of ");
            ::OutputDebugStringA(type->name());
            try {
                throw;
            } catch (const std::exception& error) {
                ::OutputDebugStringA(": ");
                ::OutputDebugStringA(error.what());
            } catch (...) {
            }
        }
        ::OutputDebugStringA("\n");
    }
    std::abort();
}

}  // namespace __gnu_cxx
