// The framework's exceptions. They are thrown by value and caught by
// reference; the window and dialog procedures catch everything, so none
// crosses into the system, and say so in the debugger's output, so a fault
// shows in a debug log instead of as a window that quietly stops changing.
#pragma once

class CException {
public:
    virtual ~CException() = default;
    virtual const char* What() const { return "framework error"; }
};

// A system resource (a device context, a window) could not be had.
class CResourceException : public CException {
public:
    const char* What() const override { return "resource not available"; }
};

// Memory for a string or buffer could not be allocated.
class CMemoryException : public CException {
public:
    const char* What() const override { return "out of memory"; }
};

// Data exchange met a control that is not in the dialog.
class CDataExchangeException : public CException {
public:
    const char* What() const override { return "no such control"; }
};

// Inside a catch block only: writes one line with OutputDebugStringA,
// "exception caught in <where>: <what it is>".
void TraceCaughtException(const char* where);

// Runs step(); whatever it throws ends step alone and is traced as caught
// in where. For sequences whose later parts must run when an earlier one
// fails, such as a window's start-up.
template <typename Step>
void RunGuarded(const char* where, Step step)
{
    try {
        step();
    } catch (...) {
        TraceCaughtException(where);
    }
}
