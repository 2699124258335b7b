#include "app/common/preferences.h"

#include "app/common/preference_keys.h"
#include "platform/drawing_template.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>
#include <filesystem>
#include <stdexcept>
#include <variant>

namespace vrn {

namespace {

using Field = std::variant<float Preferences::*, qint16 Preferences::*, qint32 Preferences::*,
                           bool Preferences::*, QString Preferences::*>;

struct Key {
    const char* section;
    const char* key;
    Field field;
    // Sets a default that depends on a value read before this key.
    void (*deriveDefault)(Preferences&) = nullptr;
    // Read only: another field owns this key when storing.
    bool readOnly = false;
};

constexpr std::array<qint32 Preferences::*, kPreferenceColorCount> kColorFields{
    &Preferences::Color_0, &Preferences::Color_1, &Preferences::Color_2, &Preferences::Color_3,
    &Preferences::Color_4};

using namespace prefkey;

// In the order start-up reads them.
const std::array<Key, 31> kKeys{{
    {kVrnSettings, kMainLeft, &Preferences::MainLeft},
    {kVrnSettings, kMainTop, &Preferences::MainTop},
    {kVrnSettings, kMainWidth, &Preferences::MainWidth},
    {kVrnSettings, kMainHeight, &Preferences::MainHeight},
    {kVrnSettings, kPracticeGroupHeight, &Preferences::PracticeGroupHeight},
    {kVrnSettings, kPracticeGroupWidth, &Preferences::PracticeGroupWidth},
    {kVrnSettings, kPracticeHeight, &Preferences::PracticeHeight},
    {kVrnSettings, kPracticeWidth, &Preferences::PracticeWidth},
    {kVrnSettings, kDeltaUpdown, &Preferences::Delta_updown},
    {kVrnSettings, kDefPracticeGroupHeight, &Preferences::Def_PracticeGroupHeight},
    {kVrnSettings, kDefPracticeHeight, &Preferences::Def_PracticeHeight},
    {kVrnSettings, kDefPracticeWidth, &Preferences::Def_PracticeWidth},
    {kVrnSettings, kDefNumAlternatives, &Preferences::Def_num_alternatives},
    {kVrnSettings, kDefPracticeFontSize, &Preferences::Practice_Font_Size, nullptr, true},
    {kVrnSettings, kDefPracticeFontSize, &Preferences::Def_PracticeFontSize},
    {kColors, "Color_0", &Preferences::Color_0},
    {kColors, "Color_1", &Preferences::Color_1},
    {kColors, "Color_2", &Preferences::Color_2},
    {kColors, "Color_3", &Preferences::Color_3},
    {kColors, "Color_4", &Preferences::Color_4},
    {kVrnSettings, kHighlightColor, &Preferences::HighlightColor},
    {kVrnSettings, kPracticeColor, &Preferences::PracticeColor,
     [](Preferences& p) { p.PracticeColor = p.Color_2; }},
    {kVrnSettings, kActivityColor, &Preferences::ActivityColor},
    {kVrnSettings, kPracticeEntityColor, &Preferences::PracticeEntityColor},
    {kVrnSettings, kInteractionColor, &Preferences::InteractionColor},
    {kVrnSettings, kBlankColor, &Preferences::BlankColor,
     [](Preferences& p) { p.BlankColor = p.PracticeColor; }},
    {kVrnSettings, kVisioTemplatePath, &Preferences::VisioTemplatePath},
    {kDirectories, kBrowserPath, &Preferences::Browser_Path},
    {kVrnSettings, kHtmlPath, &Preferences::HtmlPath},
    {kVrnSettings, kHtmlURL, &Preferences::HtmlURL},
    {kVrnSettings, kShowNoSponsor, &Preferences::Show_No_Sponsor},
}};

void readKey(const SettingsStore& store, const Key& key, Preferences& p) {
    const QString section = QLatin1String(key.section);
    const QString name = QLatin1String(key.key);
    std::visit(
        [&](auto member) {
            auto& value = p.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, float>) {
                value = store.readSingle(section, name, value);
            } else if constexpr (std::is_same_v<T, qint16>) {
                value = store.readInteger(section, name, value);
            } else if constexpr (std::is_same_v<T, qint32>) {
                value = store.readLong(section, name, value);
            } else if constexpr (std::is_same_v<T, bool>) {
                value = store.readBoolean(section, name, value);
            } else {
                value = store.readString(section, name, value);
            }
        },
        key.field);
}

void writeKey(SettingsStore& store, const Key& key, const Preferences& p) {
    const QString section = QLatin1String(key.section);
    const QString name = QLatin1String(key.key);
    std::visit(
        [&](auto member) {
            const auto& value = p.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, float>) {
                store.writeSingle(section, name, value);
            } else if constexpr (std::is_same_v<T, qint16>) {
                store.writeInteger(section, name, value);
            } else if constexpr (std::is_same_v<T, qint32>) {
                store.writeLong(section, name, value);
            } else if constexpr (std::is_same_v<T, bool>) {
                store.writeBoolean(section, name, value);
            } else {
                store.setText(section, name, value);
            }
        },
        key.field);
}

}  // namespace

qint32& Preferences::color(int index) {
    if (index < 0 || index >= kPreferenceColorCount) {
        throw std::out_of_range("preference colour index");
    }
    return this->*kColorFields[index];
}

qint32 Preferences::color(int index) const {
    return const_cast<Preferences&>(*this).color(index);
}

Preferences Preferences::load(const SettingsStore& store) {
    Preferences p;
    for (const Key& key : kKeys) {
        if (key.deriveDefault != nullptr) {
            key.deriveDefault(p);
        }
        readKey(store, key, p);
    }
    p.Current_ActivityColor = p.PracticeColor;
    p.Current_EntityColor = p.PracticeColor;
    // An installation's folder is found again at each start, never kept: an old absolute value
    // that is gone (a moved build tree) or names the installed folder means the installed one.
    const QFileInfo templates(p.VisioTemplatePath);
    if (!p.VisioTemplatePath.isEmpty() && templates.isAbsolute() &&
        (!templates.exists() ||
         templates.canonicalFilePath() == QFileInfo(installedTemplatePath()).canonicalFilePath())) {
        p.VisioTemplatePath.clear();
    }
    return p;
}

void Preferences::store(SettingsStore& store) const {
    for (const Key& key : kKeys) {
        if (!key.readOnly) {
            writeKey(store, key, *this);
        }
    }
}

QString Preferences::templateFolder() const {
    return VisioTemplatePath.isEmpty() ? installedTemplatePath() : VisioTemplatePath;
}

QString Preferences::installedTemplatePath() {
    const std::filesystem::path found =
        FindDrawingTemplateFolder(QCoreApplication::applicationDirPath().toStdString());
    return QString::fromStdString(found.string());
}

QString Preferences::defaultHtmlPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/html/dependency_maps/");
}

}  // namespace vrn
