#include "platform/Process.h"

#include <cstdio>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace process {

void End() {
    std::fflush(nullptr);
    ::_exit(0);
}

void GiveBackFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace process
