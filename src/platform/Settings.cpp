#include "platform/Settings.h"

#include "platform/Locator.h"

#include <QDir>
#include <QSettings>

namespace settings {

namespace {

// A QSettings made for each call, so the file is read afresh and the organisation and
// application names in force at that moment choose it.
class QtStore : public Store {
public:
    QString Value(const QString& key, const QString& fallback) const override {
        return QSettings().value(key, fallback).toString();
    }
    bool SetValue(const QString& key, const QString& value) override {
        QSettings s;
        s.setValue(key, value);
        s.sync();
        return s.status() == QSettings::NoError;
    }
    QString Location() const override { return QDir::toNativeSeparators(QSettings().fileName()); }
};

constinit platform::Locator<Store> locator([]() -> std::shared_ptr<Store> {
    return std::make_shared<QtStore>();
});

} // namespace

Store& Current() {
    return locator.Current();
}

void Install(std::shared_ptr<Store> store) {
    locator.Install(std::move(store));
}

} // namespace settings
