#pragma once
// A program end that only counts: tests check that the program would have
// ended, and with which code.
#include "common/ProgramEnd.h"

namespace cantorel::testing {

class RecordedEnd : public ProgramEnd {
public:
    void endNow(int exitCode) override
    {
        ++calls;
        lastCode = exitCode;
    }
    int calls = 0;
    int lastCode = 0;
};

} // namespace cantorel::testing
