// The framework's exceptions. They are thrown by value and caught by
// reference; the window and dialog procedures catch everything, so none
// crosses into the system.
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
