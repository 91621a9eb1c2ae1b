#pragma once
// One running instance per user: the first start holds a lock file for the life of the process;
// a later start finds it held. A crashed instance leaves a stale lock that QLockFile recognises
// (its process is gone) and takes over.
namespace instancia {

// True when another instance of the program is running. The first call that returns false
// keeps the lock until the process ends.
bool HayInstanciaPrevia();

} // namespace instancia
