#pragma once

namespace tq {

// Gives memory the allocator holds but no longer uses back to the system, so the program
// stays small while it waits in the tray.
void trimResidentMemory();

} // namespace tq
