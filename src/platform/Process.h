#pragma once
// Ending the process at once, as the guide's "Salir" and the drive question's "Cancelar" do:
// no window handler runs; the system releases the database and everything else.
#include <functional>

namespace process {

[[noreturn]] void End();

// Hands the heap's free pages back to the system. The C library keeps what was freed for later
// allocations, in every thread's arena; after tens of megabytes are dropped at once (a direction's
// transducers and pipeline) the process would otherwise go on holding them.
void GiveBackFreedMemory();

// The process's resident memory now (VmRSS), in kB; 0 when the system does not say.
long ResidentKb();

} // namespace process
