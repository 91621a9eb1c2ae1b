#include "platform/Process.h"

#include <cstdio>
#include <unistd.h>

namespace process {

void End() {
    std::fflush(nullptr);
    ::_exit(0);
}

} // namespace process
