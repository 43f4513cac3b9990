#include "Settings.h"

#include "PlatformDefaults.h"

#include <QCoreApplication>
#include <QSettings>
#include <array>
#include <climits>

namespace {

const QString kGroup = QStringLiteral("settings");

// A value outside lowest..highest reads as the default.
struct IntValue {
    const char* name;
    int Settings::*field;
    int lowest = INT_MIN;
    int highest = INT_MAX;
};

struct TextValue {
    const char* name;
    QString Settings::*field;
};

// Numbers first, then texts: the order of every load and save.
constexpr std::array<IntValue, 8> kIntValues{{
    {"asciinames", &Settings::asciinames},
    {"asciirules", &Settings::asciirules},
    {"asciiserver", &Settings::asciiserver},
    {"nametrickery", &Settings::nametrickery},
    {"timeout", &Settings::timeout},
    {"autoupdate", &Settings::autoupdate},
    {"updatetime", &Settings::updatetime},
    // A watch asking every second would flood the servers it watches.
    {"watchseconds", &Settings::watchseconds, ShortestWatchSeconds, LongestWatchSeconds},
}};

constexpr std::array<TextValue, 4> kTextValues{{
    {"commandline", &Settings::commandline},
    {"quakename", &Settings::quakename},
    {"quakepath", &Settings::quakepath},
    {"exe", &Settings::exe},
}};

// Only what is stored as a whole number, or as text that is one and fits 32 bits, counts; the
// registry gives numbers, an INI file gives text.
int ReadInt(const QSettings& store, const QString& name, int fallback) {
    const QVariant value = store.value(name);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::QString:
        break;
    default:
        return fallback;
    }
    bool ok = false;
    const int result = value.toString().toInt(&ok, 10);
    return ok ? result : fallback;
}

QString ReadText(const QSettings& store, const QString& name, const QString& fallback) {
    const QVariant value = store.value(name);
    if (!value.isValid()) {
        return fallback;
    }
    // An INI file edited by hand splits a text with an unquoted comma into a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

} // namespace

void Settings::LoadSettings(QSettings& store) {
    const Settings defaults = DefaultSettings();
    store.beginGroup(kGroup);
    for (const IntValue& v : kIntValues) {
        const int value = ReadInt(store, QLatin1String(v.name), defaults.*v.field);
        this->*v.field = value >= v.lowest && value <= v.highest ? value : defaults.*v.field;
    }
    for (const TextValue& v : kTextValues) {
        this->*v.field = ReadText(store, QLatin1String(v.name), defaults.*v.field);
    }
    store.endGroup();
}

void Settings::SaveSettings(QSettings& store) const {
    store.beginGroup(kGroup);
    for (const IntValue& v : kIntValues) {
        store.setValue(QLatin1String(v.name), this->*v.field);
    }
    for (const TextValue& v : kTextValues) {
        store.setValue(QLatin1String(v.name), this->*v.field);
    }
    store.endGroup();
    store.sync();
}

Settings DefaultSettings() {
    const GameDefaults game = PlatformDefaults();
    Settings defaults;
    defaults.asciinames = 1;
    defaults.asciirules = 1;
    defaults.asciiserver = 1;
    defaults.nametrickery = 0;
    defaults.timeout = 20;
    defaults.autoupdate = 0;
    defaults.updatetime = 60;
    defaults.watchseconds = 60;
    defaults.commandline = QStringLiteral("-zone 512");
    defaults.quakename = QStringLiteral("Vantrel v.70");
    defaults.quakepath = game.quakepath;
    defaults.exe = game.exe;
    return defaults;
}

std::unique_ptr<QSettings> OpenSettingsStore() {
    // The application name defaults to the executable's file name without its extension.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Vantrel"),
                                       QCoreApplication::applicationName());
}

int ReadFirstRun(QSettings& store) {
    store.beginGroup(kGroup);
    const int value = ReadInt(store, QStringLiteral("firstrun"), 1);
    store.endGroup();
    return value;
}

void WriteFirstRun(QSettings& store, int value) {
    store.beginGroup(kGroup);
    store.setValue(QStringLiteral("firstrun"), value);
    store.endGroup();
    store.sync();
}
