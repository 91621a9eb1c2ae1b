#pragma once
// The program's own folder (where PALAVRIX.MDB and Genie.ACS lie beside the executable).
#include <QString>

namespace paths {

// The executable's folder, no trailing separator. Tests may point it elsewhere.
QString AppPath();
void SetAppPath(const QString& folder); // empty restores the real one

} // namespace paths
