#pragma once
// A program with a small dictionary, a data folder on C:, recording sound and shell and,
// optionally, a recording guide: what the window tests start from.
#include "Grabadores.h"
#include "RecordingAgent.h"
#include "TempDatabase.h"
#include "chrome/Hostpot.h"
#include "chrome/Registro.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Sugerencias.h"
#include "dictionary_window/Historial.h"
#include "guide/MSAgent.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Screen.h"
#include "startup/General.h"
#include "translator/Frases.h"
#include "translator/Sesion.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

//
// Every window fixture derives from this one, so each test starts from the same process-wide state
// whatever ran before it in the same program (gtest_shuffle runs must pass).
class VentanasPrueba : public ::testing::Test {
protected:
    void SetUp() override {
        LlenarDiccionario();
        paths::SetAppPath(entorno.Carpeta());
        dbDiccionario = dao::DBEngine().Workspaces(0).OpenDatabase(db.Path());
        Reiniciar();
    }
    void TearDown() override {
        // The guide first: its hidden host is a window too, and owns the character.
        if (AgenteActivo && Personaje) DescargarAgente();
        Forms::FlushUnloaded();
        for (QWidget* x : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<Form*>(x); f && f->Loaded()) f->Unload();
        Forms::FlushUnloaded();
        InstalarFabricaAgente(nullptr);
        InstalarAzar(nullptr);
        CerrarBaseDatos();
        Reiniciar();
    }
    // The rows of the test dictionary; a fixture whose tests read other words gives its own.
    virtual void LlenarDiccionario() {
        esquema::Fila casa = Fila("casa", "house", "n", "f", "s");
        casa.pronunciacion = true;
        db.Insert(0, {casa, Fila("perro", "dog", "n", "m", "s")});
        esquema::Fila bank = Fila("bank", "banco", "n");
        bank.acepcion1 = QString("orilla");
        bank.acepcion2 = QString("");
        db.Insert(1, {bank});
    }
    // Loads the recording guide as the program does at start.
    std::shared_ptr<GuiaGrabadora> ConGuia() {
        auto guia = InstalarGuiaGrabadora();
        CargarAgente(QStringLiteral("Genie"));
        EXPECT_TRUE(AgenteActivo);
        return guia;
    }
    template <class T> T* Abrir(int left = 3000, int top = 1500) {
        auto* w = new T;
        w->Load();
        w->Move(left, top);
        w->show();
        return w;
    }
    // The window made active, as a click on it makes it: its keys act only then.
    static void Activar(QWidget* w) {
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    // A window as the running program has it: the other windows registered for its tabs, and it
    // made active so that its keys act.
    template <class T> T* AbrirActiva(int left = 3000, int top = 1500) {
        RegistrarVentanas();
        T* w = Abrir<T>(left, top);
        Activar(w);
        return w;
    }
    // A key pressed as a person presses it: to the control with the focus, or to `sinFoco` when
    // no control has it.
    static void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier, QWidget* sinFoco = nullptr) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_TRUE(foco || sinFoco) << "no control has the focus";
        QTest::keyClick(foco ? foco : sinFoco, k, m);
    }
    // The main window of that kind now, once the one it replaced is gone.
    template <class T> static T* Actual() {
        Forms::FlushUnloaded();
        return Forms::Find<T>();
    }

    EntornoPrueba entorno;
    TempDatabase db;

private:
    // The program's globals as a fresh start leaves them.
    static void Reiniciar() {
        registro::OlvidarPalabraPedida();
        DiccionarioActual = 0;
        AgenteActivo = false;
        SaludoDado = false;
        VentanaActiva = 0;
        BotonCapturado = false;
        Screen::SetMousePointer(Screen::vbDefault);
        controls::PictureBox::ReleaseCapture();
        traductor::Olvidar();
        frases::Olvidar();
        historial::Olvidar();
        sugerencias::Olvidar();
    }
};
