#include "platform/MemoryTrim.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tq {

void trimResidentMemory()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

} // namespace tq
