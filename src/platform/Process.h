#pragma once
// Ending the process at once, as the guide's "Salir" and the drive question's "Cancelar" do:
// no window handler runs; the system releases the database and everything else.
#include <functional>

namespace process {

[[noreturn]] void End();

} // namespace process
