#pragma once
// Under the word box, after a word not found: "¿Quiso decir: libros, labores?", each word a link
// that looks it up as if typed. Tab reaches the links from the word box and Enter follows the one
// in focus; the window takes the first on Enter in the word box (frmPrincipal).
#include <QLabel>
#include <QStringList>

class TiraSugerencias : public QLabel {
    Q_OBJECT
public:
    explicit TiraSugerencias(QWidget* parent);
    // Shows `palabras` as what the reader may have meant by `buscada`; with none the strip is
    // empty and hidden.
    void Mostrar(const QString& buscada, const QStringList& palabras);
    void Limpiar() { Mostrar(QString(), {}); }
    const QStringList& Palabras() const { return palabras_; }
    // The word the suggestions are for.
    const QString& Buscada() const { return buscada_; }

signals:
    void Elegida(const QString& palabra);

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    QString buscada_;
    QStringList palabras_;
};
