#include "common/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace cantorel {

void ProcessEnd::endNow(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace cantorel
