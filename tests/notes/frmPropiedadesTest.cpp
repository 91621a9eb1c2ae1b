#include "notes/frmPropiedades.h"
#include "VentanasPrueba.h"
#include "chrome/Hostpot.h"
#include "chrome/VerificarDrive.h"
#include "dictionary_window/frmPrincipal.h"
#include "platform/RichTextBox.h"
#include "translator/frmTraductor.h"

#include <QFile>
#include <QScrollBar>

namespace {

class NotesWindow : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        QDir(entorno.Datos()).mkpath("PROPIEDADES");
        for (int n = 6; n <= 9; ++n) {
            QFile f(entorno.Datos() + QString("/PROPIEDADES/Prop%1.RTF").arg(n));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            QByteArray body = "{\\rtf1\\ansi\\ansicpg1252 {\\b Notas " + QByteArray::number(n) + "}\\par ";
            for (int i = 0; i < 200; ++i)
                body += "L\\'ednea " + QByteArray::number(i) + " de las notas.\\par ";
            f.write(body + "}");
        }
    }
    bool Misma(controls::PictureBox* a, controls::PictureBox* b) {
        return a->Picture().toImage() == b->Picture().toImage();
    }
};

} // namespace

TEST_F(NotesWindow, OpensOnTheLanguageTheCurrentDirectionTranslatesFrom) {
    const int esperada[] = {6, 7, 6, 8, 6, 9};
    for (int d = 0; d < 6; ++d) {
        DiccionarioActual = static_cast<uint8_t>(d);
        auto* w = Abrir<frmPropiedades>();
        const int n = esperada[d];
        EXPECT_EQ(w->BanderaActual, n);
        EXPECT_FALSE(w->pctBoton(n)->isEnabled());
        EXPECT_TRUE(Misma(w->pctBoton(n), w->imgBotonCF(n)));
        EXPECT_TRUE(w->txtTexto->Text().startsWith(QString("Notas %1").arg(n)));
        w->Unload();
        Forms::FlushUnloaded();
    }
}

TEST_F(NotesWindow, AFlagLightsAndLocksWhileThePreviousOneComesBack) {
    auto* w = Abrir<frmPropiedades>();
    EXPECT_EQ(w->BanderaActual, 6);
    EXPECT_TRUE(w->pctBoton(0)->isEnabled()); // the first load only rested button 0
    w->pctBoton_Click(9);
    EXPECT_EQ(w->BanderaActual, 9);
    EXPECT_FALSE(w->pctBoton(9)->isEnabled());
    EXPECT_TRUE(Misma(w->pctBoton(9), w->imgBotonCF(9)));
    EXPECT_TRUE(w->pctBoton(6)->isEnabled());
    EXPECT_TRUE(Misma(w->pctBoton(6), w->imgBotonSF(6)));
    EXPECT_TRUE(w->txtTexto->Text().startsWith("Notas 9"));
    EXPECT_FALSE(w->txtTexto->Text().contains("Notas 6"));
    EXPECT_TRUE(w->txtTexto->Text().contains("Línea 3 de las notas."));
}

TEST_F(NotesWindow, AMissingNotesFileSaysSoInTheBox) {
    QFile::remove(entorno.Datos() + "/PROPIEDADES/Prop8.RTF");
    auto* w = Abrir<frmPropiedades>();
    w->pctBoton_Click(8);
    EXPECT_EQ(w->txtTexto->Text(), richtext::RichTextBox::NotFoundMessage());
}

TEST_F(NotesWindow, CopyPutsAllTheNotesOnTheClipboardAsPlainText) {
    auto* w = Abrir<frmPropiedades>();
    w->lblOpciones_Click(1);
    const QString copiado = entorno.portapapeles->texto;
    EXPECT_EQ(copiado, w->txtTexto->Text());
    EXPECT_TRUE(copiado.contains("Línea 199"));
    EXPECT_FALSE(copiado.contains("\\par"));
    w->lblOpciones_Click(0);
    EXPECT_EQ(entorno.documentos->abiertos, QStringList{"C:\\Palavrix\\AYUDA\\PalavrixHelp.htm"});
}

TEST_F(NotesWindow, PageButtonsScrollTheBoxAndLeaveTheFocusInIt) {
    auto* w = Abrir<frmPropiedades>();
    QScrollBar* bar = w->txtTexto->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
    w->pctBoton_Click(5);
    const int pagina = bar->value();
    EXPECT_GT(pagina, 0);
    EXPECT_EQ(w->focusWidget(), w->txtTexto);
    w->pctBoton_Click(4);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(NotesWindow, TheNotesHaveOneScrollBarOnTheRailInStepWithTheBox) {
    auto* w = Abrir<frmPropiedades>();
    QScrollBar* propia = w->txtTexto->verticalScrollBar();
    EXPECT_FALSE(propia->isVisible()) << "the box's own bar would stand beside the rail's";
    ASSERT_NE(w->barTexto, nullptr);
    EXPECT_TRUE(w->barTexto->isVisible());
    // On the rail: between the two page buttons, outside the box.
    EXPECT_GE(w->barTexto->geometry().top(), w->pctBoton(4)->geometry().bottom());
    EXPECT_LE(w->barTexto->geometry().bottom(), w->pctBoton(5)->geometry().top());
    EXPECT_GT(w->barTexto->geometry().left(), w->txtTexto->geometry().right());
    ASSERT_GT(propia->maximum(), 0);
    EXPECT_EQ(w->barTexto->maximum(), propia->maximum());
    w->pctBoton_Click(5);
    EXPECT_GT(w->barTexto->value(), 0);
    EXPECT_EQ(w->barTexto->value(), propia->value());
    w->barTexto->setValue(w->barTexto->maximum());
    EXPECT_EQ(propia->value(), propia->maximum());
}

TEST_F(NotesWindow, TabsMoveToTheOtherWindowsInPlace) {
    auto* w = Abrir<frmPropiedades>(2250, 1200);
    w->pctBoton_Click(1);
    auto* t = Forms::Find<frmTraductor>();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Left(), 2250);
    EXPECT_EQ(Forms::Find<frmPropiedades>(), nullptr);
    t->pctBoton_Click(2);
    auto* n = Forms::Find<frmPropiedades>();
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->Top(), 1200);
    n->pctBoton_Click(3);
    auto* p = Forms::Find<frmPrincipal>();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Left(), 2250);
    EXPECT_EQ(p->Top(), 1200);
    EXPECT_EQ(entorno.sonidos->rutas.filter("SALIR.WAV").size(), 3);
}

TEST_F(NotesWindow, TheDataFolderGoneMeansTheDriveQuestionBeforeTheNextNotes) {
    auto* w = Abrir<frmPropiedades>();
    const QString otra = entorno.OtraUnidad('D');
    QDir(otra).mkpath("PROPIEDADES");
    QFile::copy(entorno.Datos() + "/PROPIEDADES/Prop7.RTF", otra + "/PROPIEDADES/Prop7.RTF");
    QDir(entorno.Datos()).removeRecursively();
    RespuestaDrive respuesta("D");
    w->pctBoton_Click(7);
    EXPECT_EQ(respuesta.preguntas, 1);
    EXPECT_EQ(RutaDatos, "D:\\Palavrix");
    EXPECT_TRUE(w->txtTexto->Text().startsWith("Notas 7"));
}
