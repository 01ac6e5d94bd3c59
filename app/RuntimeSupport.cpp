// Replacements for two members of the static C++ runtime, each of which
// would otherwise bring far more into Velorix.exe than the program uses.
// They are found here before the runtime library is searched. Each is
// whole, every function of the member it stands for, so that member is
// never linked, whatever the program, the runtime's templates at any
// optimisation level or a later compiler come to need from it; should a
// later runtime add a function to one of them and something need it, the
// link fails with a duplicate definition rather than passing unnoticed.
//
// The member with the std::__throw_* helpers, all 15 of them:
//   __throw_bad_alloc and __throw_bad_array_new_length throw the standard
//   types, which carry no text;
//   the other 13 (logic_error, domain_error, invalid_argument,
//   length_error, out_of_range plain and formatted, runtime_error,
//   range_error, overflow_error, underflow_error, bad_cast, bad_typeid,
//   bad_exception) throw CLibraryError below, a std::exception with the
//   runtime's message. A catch of one of those standard types by name
//   never matches in this program: catch std::exception.
// The member with the verbose terminate handler: its one function.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

#include <cxxabi.h>

#include "framework/Win32.h"

namespace {

// The standard logic and runtime error types carry a reference-counted
// string of the runtime's older string implementation, which alone would
// link a second copy of every string function (about 50 KB); the three
// others would link their own classes for throws nothing here can make.
// Nothing in the program catches any of them by name: the window and
// dialog procedures catch everything.
class CLibraryError : public std::exception {
public:
    explicit CLibraryError(const char* what) noexcept : m_what(what ? what : "library error") {}
    const char* what() const noexcept override { return m_what; }

private:
    const char* m_what;  // the runtime's own message, a literal
};

}  // namespace

// One body for the nine helpers that throw CLibraryError with their
// message: each of them is another name for it, which keeps the file as
// small as when it held four.
extern "C" void ThrowLibraryError(const char* what)
{
    throw CLibraryError(what);
}

namespace std {

void __throw_bad_alloc()
{
    throw bad_alloc();
}

void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}

void __throw_logic_error(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_domain_error(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_invalid_argument(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_length_error(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_out_of_range(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_runtime_error(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_range_error(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_overflow_error(const char*) __attribute__((alias("ThrowLibraryError")));
void __throw_underflow_error(const char*) __attribute__((alias("ThrowLibraryError")));

// The message stays unformatted: its arguments are positions, of no use
// to anyone reading it after the fact.
void __throw_out_of_range_fmt(const char* format, ...)
{
    throw CLibraryError(format);
}

void __throw_bad_cast()
{
    throw CLibraryError("bad cast");
}

void __throw_bad_typeid()
{
    throw CLibraryError("bad typeid");
}

void __throw_bad_exception()
{
    throw CLibraryError("bad exception");
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
