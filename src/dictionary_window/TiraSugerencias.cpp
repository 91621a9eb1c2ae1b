#include "dictionary_window/TiraSugerencias.h"

#include "platform/Controls.h"

#include <QFocusEvent>

TiraSugerencias::TiraSugerencias(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("lblSugerencias"));
    setFont(controls::Font(8));
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral("QLabel { color: white; background: transparent; }"));
    setAccessibleName(QStringLiteral("Sugerencias"));
    setAccessibleDescription(QStringLiteral("Palabras parecidas a la buscada; pulse una para buscarla."));
    // The link's target is the word's place in the list: a word may hold any character.
    connect(this, &QLabel::linkActivated, this, [this](const QString& enlace) {
        bool bien = false;
        const int i = enlace.toInt(&bien);
        if (!bien || i < 0 || i >= palabras_.size()) return;
        // Once the label is done with the click or key: the lookup replaces the label's text,
        // and with it the link being followed.
        QMetaObject::invokeMethod(
            this, [this, palabra = palabras_[i]] { emit Elegida(palabra); }, Qt::QueuedConnection);
    });
    hide();
}

void TiraSugerencias::Mostrar(const QString& buscada, const QStringList& palabras) {
    buscada_ = palabras.isEmpty() ? QString() : buscada;
    palabras_ = palabras;
    if (palabras.isEmpty()) {
        clear();
        setToolTip(QString());
        hide();
        return;
    }
    QStringList enlaces;
    for (qsizetype i = 0; i < palabras.size(); ++i)
        enlaces << QStringLiteral("<a href=\"%1\" style=\"color: #ffff00;\">%2</a>")
                       .arg(i)
                       .arg(palabras[i].toHtmlEscaped());
    setText(QStringLiteral("¿Quiso decir: %1?").arg(enlaces.join(QStringLiteral(", "))));
    setToolTip(QStringLiteral("Pulse una palabra, o Intro para buscar «%1».").arg(palabras.first()));
    show();
    raise();
}

void TiraSugerencias::focusInEvent(QFocusEvent* e) {
    QLabel::focusInEvent(e);
    // Reached with Tab, the strip puts its first word in focus (its last, with Shift+Tab), so that
    // Enter follows it at once instead of a strip with nothing chosen.
    if (!hasSelectedText() && (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason))
        focusNextPrevChild(e->reason() == Qt::TabFocusReason);
}
