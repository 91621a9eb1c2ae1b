#pragma once
// The data folder: a drive letter followed by ":\Palavrix", the letter remembered in the user's
// settings ("DriveCD" of the section "General", default "C"). While the folder cannot be entered
// the user is asked for the drive, as often as it takes, or ends the program.
#include <QString>
#include <functional>

// The data folder as the program names it ("D:\Palavrix"), no trailing separator.
inline QString RutaDatos;

// Sets RutaDatos from the saved letter; asks for the drive while the folder is missing.
void LocalizarDatos();
// Saves the drive letter. When the settings cannot be written, the letter still holds for the
// rest of this run, the user is told in Spanish where it could not be saved, and the result is
// false.
bool GuardarDrive(const QString& letra);
// The letter chosen in this run when it could not be saved, else the saved letter, or "C" when
// none was ever saved.
QString LeerDrive();

// The result of trying to enter a folder, numbered as the runtime numbered its errors:
// 0 entered, 75 the path exists but cannot be entered, 76 the path is not there.
int EntrarCarpeta(const QString& ruta);

// How the drive is asked for: the start installs the modal dialog frmVerDrive; tests install
// their own. With none installed, LocalizarDatos leaves RutaDatos on the missing folder.
void FijarPreguntaDrive(std::function<void()> preguntar);
