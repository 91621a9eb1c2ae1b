#pragma once
// Stand-ins in memory for the clipboard and the settings store, so that the window tests neither
// read nor write the desktop's clipboard or a settings file, and can make either fail at will.
#include "platform/Clipboard.h"
#include "platform/Settings.h"

#include <QMap>
#include <QString>
#include <chrono>
#include <optional>

struct PortapapelesEnMemoria : clipboard::Clipboard {
    QString texto;
    bool mudo = false; // as a clipboard owner that never answers
    int escrituras = 0;
    std::chrono::milliseconds esperaPedida{0}; // the wait the last reader allowed
    std::optional<QString> Text(std::chrono::milliseconds espera) override {
        esperaPedida = espera;
        if (mudo) return std::nullopt;
        return texto;
    }
    void SetText(const QString& t) override {
        texto = t;
        ++escrituras;
    }
};

struct AjustesEnMemoria : settings::Store {
    QMap<QString, QString> valores;
    bool soloLectura = false; // as a settings file that cannot be written
    QString Value(const QString& clave, const QString& omision) const override {
        return valores.value(clave, omision);
    }
    bool SetValue(const QString& clave, const QString& valor) override {
        if (soloLectura) return false;
        valores[clave] = valor;
        return true;
    }
    QString Location() const override { return QStringLiteral("/prueba/ajustes/Palavrix.conf"); }
};
