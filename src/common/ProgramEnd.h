#pragma once
// Ending the program at once after an error that leaves no way to go on (a
// failing audio-engine call). The programs end the process; tests record the
// call and carry on, so callers must not rely on endNow() not returning.
#include <functional>

namespace cantorel {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    // Ends the process with `exitCode`, skipping every window's closing steps.
    virtual void endNow(int exitCode) = 0;
};

// Ends the real process: flushes the standard streams and exits.
class ProcessEnd final : public ProgramEnd {
public:
    void endNow(int exitCode) override;
};

} // namespace cantorel
