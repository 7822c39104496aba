// Linked into the core test program of the ThreadSanitizer build only (TQ_SANITIZE=thread).
#include <sched.h>

#include <cstdarg>

extern "C" {

// Qt and the C and C++ libraries are not built with the tool: it cannot see their atomics and
// their own futex locks (QMutex, the C library's internal locks), only what they do through
// the C library (allocation, memcpy, pthread locks and condition variables, file descriptors).
// Their allocations and copies are therefore not checked, while their pthread synchronisation
// still is, so that the hand-overs of QThread, QThreadPool and QWaitCondition stay visible.
// Our own code is checked in full. These are defaults: TSAN_OPTIONS adds to them.
const char *__tsan_default_options()
{
    return "ignore_noninstrumented_modules=1";
}

// QProcess starts a program with clone(CLONE_VM | CLONE_VFORK): the child runs in the parent's
// memory until it calls exec. The tool treats every clone() as a fork and redoes its own
// bookkeeping in the child, which here is the parent's: the thread that started the process
// then loses track of its own locks (its unlocks of a std::mutex no longer order anything) and
// later runs report races that are none. Without CLONE_VM the child gets a copy of the memory,
// as after fork(), and the tool's bookkeeping stays the parent's own. CLONE_VFORK stays: the
// parent still waits until the child has called exec.
int __interceptor_clone(int (*function)(void *), void *stack, int flags, void *argument, int *parentTid, void *tls,
                        int *childTid);

int clone(int (*function)(void *), void *stack, int flags, void *argument, ...)
{
    va_list more;
    va_start(more, argument);
    int *parentTid = va_arg(more, int *);
    void *tls = va_arg(more, void *);
    int *childTid = va_arg(more, int *);
    va_end(more);
    // A thread (CLONE_THREAD) shares the memory by design; only a process loses it.
    if (!(flags & CLONE_THREAD))
        flags &= ~CLONE_VM;
    return __interceptor_clone(function, stack, flags, argument, parentTid, tls, childTid);
}

} // extern "C"
