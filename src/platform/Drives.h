#pragma once
// Drive letters on a system that has none. The program names its data folder as a drive letter
// followed by ":\Palavrix" and builds every media path with "\"; this table gives each letter a
// folder: "C:" is the program's own folder (which holds the bundled Palavrix data folder), and
// "D:", "E:", ... are the other mounted volumes, removable media first, then by mount point, so a
// data folder at the root of a USB stick or disc is found as on a system with real drives.
#include <QChar>
#include <QString>
#include <memory>
#include <vector>

namespace drives {

struct Unidad {
    QChar letra;      // upper case
    QString raiz;     // native folder the letter stands for
    QString etiqueta; // what the drive list shows in brackets
};

class Tabla {
public:
    virtual ~Tabla() = default;
    virtual std::vector<Unidad> Unidades() const = 0;
};

// The table of this system.
std::vector<Unidad> Unidades();
// Replaces the table (tests); nullptr restores the system's.
void Instalar(std::shared_ptr<Tabla> tabla);

// "D:\Palavrix\SONIDOS\CLICK.WAV" -> the native path on this system. A path without a known
// drive letter comes back with its separators turned, so it names nothing that exists.
QString RutaNativa(const QString& ruta);
// The drive list's text for a drive: "c: [programa]".
QString TextoUnidad(const Unidad& u);

} // namespace drives
