#pragma once
// Scheduling of worker threads that must never slow the user-interface thread.

namespace ruv::platform {

// Lowers the calling thread's scheduling priority; does nothing where the
// platform offers no per-thread priority.
void lowerCurrentThreadPriority() noexcept;

}  // namespace ruv::platform
