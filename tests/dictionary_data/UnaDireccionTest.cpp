// Only the direction in use is kept in memory: its four transducers and its sentence pipeline.
// Going through the six directions drops each one's before the next is loaded. (What that gives
// back to the system is measured by bench/memory_bench, not here: a sanitized build keeps freed
// memory on purpose.)
#include "dictionary_data/Formas.h"
#include "dictionary_data/Oraciones.h"
#include "platform/Paths.h"
#include "platform/SentencePipeline.h"
#include "platform/Transducer.h"

#include <gtest/gtest.h>

namespace {

struct Uso {
    const char* palabra;
    const char* frase;
};
// In the order of the directions: EspIng, IngEsp, EspPor, PorEsp, EspFra, FraEsp.
constexpr Uso kUsos[6] = {
    {"libros", "Los niños no fueron a la escuela."}, {"went", "The children did not go to school."},
    {"libros", "Los niños no fueron a la escuela."}, {"livros", "As crianças não foram à escola."},
    {"libros", "Los niños no fueron a la escuela."}, {"sont", "Les enfants ne sont pas allés à l'école."},
};

// A direction used as the windows use it: its transducers loaded in the background while the
// reader types, a form looked up, a sentence translated whole.
void Usar(int d) {
    formas::Precargar(d);
    formas::Morfologia* m = formas::De(d);
    ASSERT_NE(m, nullptr);
    ASSERT_TRUE(m->Disponible()) << d;
    EXPECT_TRUE(m->Traducir(QString::fromUtf8(kUsos[d].palabra)).has_value()) << d;
    QString error;
    bool traducida = false;
    ASSERT_TRUE(oraciones::Con(
        d,
        [&](sentences::Pipeline& p) {
            traducida = !p.Translate(QString::fromUtf8(kUsos[d].frase)).text.isEmpty();
        },
        &error))
        << error.toStdString();
    EXPECT_TRUE(traducida) << d;
}

class UnaDireccion : public ::testing::Test {
protected:
    void SetUp() override {
        paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
        formas::Olvidar();
        oraciones::Olvidar();
    }
    void TearDown() override {
        formas::Olvidar();
        oraciones::Olvidar();
        paths::SetAppPath(QString());
    }
};

} // namespace

TEST_F(UnaDireccion, SwitchingDirectionDropsThePreviousDirectionsTransducersAndPipeline) {
    const int transductores = lt::Transducer::Live(), tuberias = sentences::Pipeline::Live();
    for (int d : {0, 1, 2, 3, 4, 5, 0}) {
        Usar(d);
        EXPECT_EQ(lt::Transducer::Live() - transductores, 4) << "after direction " << d;
        EXPECT_EQ(sentences::Pipeline::Live() - tuberias, 1) << "after direction " << d;
    }
    // Choosing another direction drops the last one's at once, before anything of the new one
    // is used; choosing the same one keeps it.
    formas::SoloDireccion(0);
    EXPECT_EQ(lt::Transducer::Live() - transductores, 4);
    EXPECT_EQ(sentences::Pipeline::Live() - tuberias, 1);
    formas::SoloDireccion(3);
    EXPECT_EQ(lt::Transducer::Live(), transductores);
    EXPECT_EQ(sentences::Pipeline::Live(), tuberias);
}
