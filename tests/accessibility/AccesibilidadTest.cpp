#include "VentanasPrueba.h"
#include "about/frmAcercaDe.h"
#include "chrome/Contraste.h"
#include "dictionary_window/frmPrincipal.h"
#include "notes/frmPropiedades.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "translator/frmTraductor.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDirIterator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using Accesibilidad = VentanasPrueba;

namespace {

QAccessibleInterface* interfaz(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// The skinned controls a user clicks: bitmap buttons, tabs, flags, options and directions.
QList<QWidget*> pulsables(QWidget* ventana) {
    static const QRegularExpression nombres(
        QStringLiteral("^(pctBoton|lblOpciones|lblDiccionarios)\\(\\d+\\)$"));
    QList<QWidget*> out;
    for (QWidget* w : ventana->findChildren<QWidget*>())
        if (nombres.match(w->objectName()).hasMatch()) out << w;
    return out;
}

// The boxes a user types or reads in.
QList<QWidget*> cajas(QWidget* ventana) {
    QList<QWidget*> out;
    for (QWidget* w : ventana->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractScrollArea*>(w)) out << w;
    return out;
}

template <class T> T* abierta() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<T*>(w); f && f->Loaded() && f->isVisible()) return f;
    return nullptr;
}

void pulsar(QWidget* w) {
    QAccessibleInterface* i = interfaz(w);
    ASSERT_TRUE(i && i->actionInterface()) << w->objectName().toStdString();
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The press is queued so the reader's call returns before any window changes.
    QCoreApplication::processEvents();
}

void comprobarVentana(QWidget* ventana, int pulsablesEsperados) {
    SCOPED_TRACE(ventana->objectName().toStdString());
    const QList<QWidget*> botones = pulsables(ventana);
    EXPECT_EQ(botones.size(), pulsablesEsperados);
    QSet<QString> nombres;
    for (QWidget* w : botones) {
        SCOPED_TRACE(w->objectName().toStdString());
        QAccessibleInterface* i = interfaz(w);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->role(), QAccessible::Button);
        const QString nombre = i->text(QAccessible::Name);
        const QString descripcion = i->text(QAccessible::Description);
        EXPECT_FALSE(nombre.trimmed().isEmpty());
        EXPECT_FALSE(descripcion.trimmed().isEmpty());
        EXPECT_NE(nombre, descripcion);
        EXPECT_FALSE(nombres.contains(nombre)) << "two controls share the name " << nombre.toStdString();
        nombres.insert(nombre);
    }
    const QList<QWidget*> textos = cajas(ventana);
    EXPECT_FALSE(textos.isEmpty());
    for (QWidget* w : textos) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->accessibleName().isEmpty());
        EXPECT_FALSE(w->accessibleDescription().isEmpty());
    }
}

} // namespace

TEST_F(Accesibilidad, EveryButtonTabOptionAndFlagIsANamedDescribedButton) {
    // Seven buttons, four options and the six directions.
    auto* principal = Abrir<frmPrincipal>();
    comprobarVentana(principal, 17);
    principal->Unload();
    // Eight buttons (the tabs and the four arrows) and five options.
    auto* traductor = Abrir<frmTraductor>();
    // Besides the dictionary's: the two modes and the direction.
    comprobarVentana(traductor, 16);
    traductor->Unload();
    // Six buttons, four flags and two options.
    auto* propiedades = Abrir<frmPropiedades>();
    comprobarVentana(propiedades, 12);
    EXPECT_EQ(interfaz(propiedades->pctBoton(8))->text(QAccessible::Name), "Notas del portugués");
    EXPECT_EQ(interfaz(propiedades->pctBoton(8))->text(QAccessible::Description),
              "Muestra las notas de gramática del portugués.");
}

TEST_F(Accesibilidad, AReaderHearsTheResultOfALookupAsItIsNow) {
    auto* principal = Abrir<frmPrincipal>();
    principal->txtPalabra->setText("casa");
    QTest::keyClick(principal->txtPalabra, Qt::Key_Return);
    EXPECT_EQ(interfaz(principal->lblTraduccion)->text(QAccessible::Name), "house");
    EXPECT_EQ(interfaz(principal->lblTipo)->text(QAccessible::Name), "Sustantivo");
    EXPECT_EQ(interfaz(principal->lblGenero)->text(QAccessible::Name), "Femenino");
    principal->txtPalabra->setText("xyz");
    QTest::keyClick(principal->txtPalabra, Qt::Key_Return);
    EXPECT_EQ(interfaz(principal->lblTraduccion)->text(QAccessible::Name), "<Palabra no encontrada>");
    EXPECT_EQ(interfaz(principal->lblTipo)->text(QAccessible::Name), "");
}

TEST_F(Accesibilidad, AReaderPressesAButtonAsAClickAndCannotPressTheCurrentTab) {
    auto* principal = Abrir<frmPrincipal>();
    pulsar(principal->lblDiccionarios(3));
    EXPECT_EQ(DiccionarioActual, 3);
    EXPECT_EQ(principal->lblTTraduccion->text(), "Español");
    pulsar(principal->lblDiccionarios(0));
    EXPECT_EQ(DiccionarioActual, 0);

    pulsar(principal->pctBoton(1));
    auto* traductor = abierta<frmTraductor>();
    ASSERT_NE(traductor, nullptr);
    EXPECT_FALSE(principal->Loaded());

    // The translator's own tab is disabled: it offers no action, and a forced one does nothing.
    QAccessibleInterface* propia = interfaz(traductor->pctBoton(1));
    EXPECT_TRUE(propia->state().disabled);
    EXPECT_TRUE(propia->actionInterface()->actionNames().isEmpty());
    propia->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(traductor->Loaded());

    traductor->txtTexto->setPlainText("perro");
    pulsar(traductor->lblOpciones(3)); // "Traducir ahora"
    EXPECT_EQ(traductor->txtTraduccion->toPlainText(), "dog");
}

TEST_F(Accesibilidad, AButtonWhoseWindowIsGoneBeforeThePressArrivesIsLeftAlone) {
    auto* principal = Abrir<frmPrincipal>();
    QAccessibleInterface* notas = interfaz(principal->pctBoton(2));
    notas->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    principal->Unload();
    QCoreApplication::processEvents();
    EXPECT_EQ(abierta<frmPropiedades>(), nullptr);
    Forms::FlushUnloaded();
    QCoreApplication::processEvents();
    EXPECT_EQ(abierta<frmPropiedades>(), nullptr);
}

TEST_F(Accesibilidad, TheAboutLinksAreLinksThatOpenTheirAddresses) {
    auto* principal = Abrir<frmPrincipal>();
    auto* a = new frmAcercaDe;
    a->Load();
    a->show();
    QAccessibleInterface* web = interfaz(a->lblLink(1));
    EXPECT_EQ(web->role(), QAccessible::Link);
    EXPECT_FALSE(web->text(QAccessible::Description).isEmpty());
    pulsar(a->lblLink(2));
    ASSERT_FALSE(entorno.documentos->abiertos.isEmpty());
    EXPECT_TRUE(entorno.documentos->abiertos.last().startsWith("mailto:"));
    EXPECT_FALSE(a->cmdSalir->accessibleDescription().isEmpty());
    a->Unload();
    principal->Unload();
}
