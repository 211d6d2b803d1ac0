#pragma once
// The C library's heap, kept small for a program that does its heavy allocating at start-up,
// partly on short-lived workers, and then waits for its user.

namespace trvx {

// Lets the threads share two heap arenas instead of taking up to one each: what is freed in an
// arena serves only the threads that allocate from it, so every arena keeps free memory of its
// own. Call first in main, before any thread starts.
void ShareHeapArenas();

// Gives the pages that freed heap memory holds, in every arena, back to the system: what the
// start-up work allocated and freed again would otherwise stay resident. It takes some
// milliseconds, holding each arena in turn: a thread that allocates meanwhile waits for it.
void ReturnFreedHeapPages();

} // namespace trvx
