#include "guide/Explicaciones.h"

#include "guide/MSAgent.h"
#include "platform/Form.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

#include <QApplication>
#include <algorithm>

namespace puntos {

QPoint EnPixeles(int left, int top, Punto spot, int twipsPorPixelX, int twipsPorPixelY) {
    return QPoint(twips::To16Bits((double(left) + spot.dx) / twipsPorPixelX),
                  twips::To16Bits((double(top) + spot.dy) / twipsPorPixelY));
}

} // namespace puntos

namespace {

// A loaded window of the program by its name.
const Form* Ventana(const char* nombre) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<const Form*>(w);
            f && f->Loaded() && f->objectName() == QLatin1String(nombre))
            return f;
    return nullptr;
}

const Form* Principal() {
    return Ventana("frmPrincipal");
}

// n from 0 to k - 1 with equal chances, from a fresh draw.
int Sortear(int k) {
    return std::clamp(static_cast<int>(Azar() * k), 0, k - 1);
}

void Decir(const char* texto) {
    Personaje->Speak(QString::fromUtf8(texto));
}
void Animar(const char* nombre) {
    Personaje->Play(QString::fromLatin1(nombre));
}

// An explanation speaks of one window: what is left of it ends when that window closes (the
// reader moved on to another), instead of going on about a window no longer there.
class Atada {
public:
    explicit Atada(const QObject* ventana) {
        if (Personaje && ventana) Personaje->TieRequests(const_cast<QObject*>(ventana));
    }
    ~Atada() {
        if (Personaje) Personaje->TieRequests(nullptr);
    }
    Atada(const Atada&) = delete;
    Atada& operator=(const Atada&) = delete;
};

} // namespace

void UbicarAgente(const Form* w, int dx, int dy) {
    if (!w || !Personaje) return;
    const QPoint p =
        puntos::EnPixeles(w->Left(), w->Top(), {dx, dy}, Screen::TwipsPerPixelX(), Screen::TwipsPerPixelY());
    Personaje->MoveTo(p.x(), p.y());
}

void SaludarAgente() {
    if (!Personaje) return;
    const int n = Sortear(4);
    UbicarAgente(Principal(), puntos::kCasa);
    Personaje->Show();
    switch (n) {
    case 0:
        Decir("¡Hola!");
        Decir("Mi nombre es Genio, si necesitas ayuda, haz clic sobre mí.");
        break;
    case 1:
        Decir("¡Bienvenidos a Palavrix!");
        Decir("Si haces clic sobre mí, te enseñaré a utilizar el diccionario.");
        break;
    case 2:
        Decir("¡Hola! Bienvenido.");
        Decir("Recuerda que si necesitas ayuda, podrás hacer clic sobre mí.");
        Decir("No dudes en hacerlo.");
        break;
    default:
        Decir("¡Hola!, mi nombre es Genio, yo seré tu guía para utilizar el programa correctamente.");
        Decir("Cuando necesites ayuda haz clic sobre mí.");
        break;
    }
    Animar("idle2_1");
    SaludoDado = true;
}

void ExplicarDiccionario() {
    if (!Personaje) return;
    const Atada atada(Principal());
    UbicarAgente(Principal(), puntos::kDiccionarios);
    Animar("GestureRight");
    Decir("Abre el diccionario de tu interés seleccionándolo aquí.");
    Animar("GestureRightReturn");
    UbicarAgente(Principal(), puntos::kPalabra);
    Animar("GestureDown");
    Decir("Luego, escribe aquí la palabra que desees traducir.");
    Animar("Explain");
    Decir("Presiona la tecla enter y obtendrás la traducción.");
    // The keys of the window, for a reader who would rather not reach for the mouse.
    Decir("Con Control y un número del uno al seis eliges el diccionario, y con F4 abres la lista de "
          "palabras; escape la cierra.");
    Decir("Con Alt y las flechas izquierda y derecha vuelves a las palabras que ya buscaste.");
    Decir("Control T te lleva al traductor, Control N a las propiedades, y F1 abre la ayuda.");
    UbicarAgente(Principal(), puntos::kCasa);
}

void ExplicarTraductor() {
    if (!Personaje) return;
    const Atada atada(Ventana("frmTraductor"));
    UbicarAgente(Ventana("frmTraductor"), puntos::kTraductor);
    Animar("Announce");
    Decir("Para traducir un texto o varias palabras,");
    Animar("GestureRight");
    Decir("deberás escribirlas en el recuadro superior.");
    Animar("Explain");
    Decir("Luego haz clic sobre 'Traducir ahora'");
    Animar("GestureDown");
    Decir("y obtendrás la traducción en el recuadro de abajo.");
    Animar("GestureDownReturn");
    Decir("También puedes traducir con Control y enter, y cambiar el diccionario con Control y un número "
          "del uno al seis.");
    Decir("Control D te lleva al diccionario, Control N a las propiedades, y F1 abre la ayuda.");
    Animar("idle2_1");
}

void ExplicarPropiedades() {
    if (!Personaje) return;
    const Atada atada(Ventana("frmPropiedades"));
    UbicarAgente(Ventana("frmPropiedades"), puntos::kPropiedades);
    Decir("Aquí obtendrás información detallada sobre las características de cada lengua.");
    Animar("GestureDown");
    Decir("Haz clic sobre las banderas para seleccionar el idioma de tu interés.");
    Animar("GestureDownReturn");
    Decir("Control D te lleva al diccionario, Control T al traductor, y F1 abre la ayuda.");
    Animar("idle2_1");
}

void PresentarCreditos() {
    if (!Personaje) return;
    UbicarAgente(Ventana("frmAcercaDe"), puntos::kCreditosMarca);
    Animar("GestureUp");
    Decir("Norvento Programs...");
    Animar("Explain");
    Decir("De aquí salen los mejores programas.");
    UbicarAgente(Ventana("frmAcercaDe"), puntos::kCreditosDiseno);
    Animar("GestureRight");
    Decir("Ella es Lucía, la diseñadora de Palavrix.");
    UbicarAgente(Ventana("frmAcercaDe"), puntos::kCreditosProgramacion);
    Animar("GestureRight");
    Decir("Y él es Martín, el programador de Palavrix y mi gran amigo.");
    Animar("Congratulate");
    Animar("CongratulateReturn");
    Animar("GestureDown");
    Decir(
        "La información de los diccionarios fue aportada por el proyecto Apertium y los paquetes de Debian.");
    Animar("GestureDownReturn");
    Animar("idle2_1");
}

void SugerirLista() {
    if (!Personaje) return;
    switch (Sortear(6)) {
    case 0:
    case 1:
    case 2:
        Animar("Decline");
        break;
    case 3: {
        // Suggesting the word list makes no sense while it is already open.
        const Form* principal = Principal();
        const QWidget* lista =
            principal ? principal->findChild<QWidget*>(QStringLiteral("cboLista")) : nullptr;
        if (lista && !lista->isHidden()) break;
        Animar("Suggest");
        Decir("Recuerde que para ver una lista con todas las palabras que contiene el diccionario...");
        UbicarAgente(principal, puntos::kLista);
        Animar("GestureRight");
        Decir("...podrá hacer clic aquí, y buscar la palabra tipeando las primeras letras.");
        UbicarAgente(principal, puntos::kCasa);
        break;
    }
    case 4:
        Animar("Sad");
        break;
    default:
        Animar("Idle1_4");
        break;
    }
}
