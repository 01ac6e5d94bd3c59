#pragma once

#include "capture/CapturePaths.h"

// Reads the services file beside the program when built: opens it in text
// mode, reads it through to its end in bounded pieces and closes it. Nothing
// consults what it reads.
class CServicesParser {
public:
    // pszProgramPath: the program file; null means this process's own.
    explicit CServicesParser(const char* pszProgramPath = nullptr);
    virtual ~CServicesParser() = default;
    CServicesParser(const CServicesParser&) = delete;
    CServicesParser& operator=(const CServicesParser&) = delete;

private:
    char m_szPath[kServicesPathSize];
};
