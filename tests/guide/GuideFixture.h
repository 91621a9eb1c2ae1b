#pragma once
// Shared set-up of the guide tests: the recording character loaded through the real host, the
// four windows the scripts address, and a fixed random draw.
#include "RecordingAgent.h"
#include "guide/MSAgent.h"
#include "platform/Form.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class GuideTest : public ::testing::Test {
protected:
    void SetUp() override {
        AgenteActivo = false;
        SaludoDado = false;
        VentanaActiva = 0;
        Personaje = nullptr;
        guia = InstalarGuiaGrabadora();
        CargarAgente(QStringLiteral("Genie"));
        ASSERT_TRUE(AgenteActivo);
    }
    void TearDown() override {
        DescargarAgente();
        for (auto& w : ventanas)
            delete w;
        Forms::FlushUnloaded();
        InstalarFabricaAgente(nullptr);
        InstalarAzar(nullptr);
        AgenteActivo = false;
    }
    // A loaded window of that name with its corner at (left, top) twips.
    Form* Ventana(const char* nombre, int left, int top) {
        auto* f = new Form;
        f->setObjectName(QString::fromLatin1(nombre));
        f->resize(640, 480);
        f->Load();
        f->Move(left, top);
        ventanas.push_back(f);
        return f;
    }
    // The script's draw: r itself.
    static void Azar(double r) {
        InstalarAzar([r] { return r; });
    }
    // The log without the Hide that DescargarAgente adds, cleared for the next step.
    QStringList Tomar() {
        QStringList l = guia->Log();
        guia->Clear();
        return l;
    }

    std::shared_ptr<GuiaGrabadora> guia;
    std::vector<Form*> ventanas;
};
