#include "platform/HeapMemory.h"

#include <cstdlib> // defines __GLIBC__ there

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace trvx {

void ShareHeapArenas() {
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 2);
#endif
}

void ReturnFreedHeapPages() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace trvx
