#pragma once
// Who made Palavrix and where its dictionaries come from, shown in the About window and
// spoken in the guide's tour of it.
namespace creditos {
inline constexpr const char* kFabricante = "Norvento Programs";
inline constexpr const char* kWeb = "www.norvento-programs.com";
inline constexpr const char* kSoporte = "soporte@norvento-programs.com";
inline constexpr const char* kDisenadora = "Lucía Ferreyra";
inline constexpr const char* kProgramador = "Martín Okonkwo";
inline constexpr const char* kCorreoProgramador = "martin.okonkwo@norvento-programs.com";
inline constexpr const char* kDatos1 = "Proyecto Apertium: diccionarios y frases (GPL)";
inline constexpr const char* kDatos2 = "Paquetes de Debian";
inline constexpr const char* kDerechos = "© 2026 Norvento Programs. Todos los derechos reservados.";
inline constexpr const char* kAgente = "Genio: personaje y motor de animación propios de Palavrix.";
} // namespace creditos
