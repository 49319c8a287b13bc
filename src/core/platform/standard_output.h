#pragma once
// The program's standard output as a byte stream.

namespace ruv::platform {

// Makes standard output carry bytes unchanged: Windows' C runtime otherwise
// writes every "\n" as "\r\n". Call before anything is written.
void useBinaryStandardOutput() noexcept;

}  // namespace ruv::platform
