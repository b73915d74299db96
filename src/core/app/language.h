#pragma once

#include <QString>
#include <QStringView>

namespace askbright {

// The interface language. Files keep it as "deutsch" or "englisch"; any other
// stored word counts as German.
class Language {
public:
    enum Value { German, English };

    constexpr Language(Value value = German) : m_value(value) {}

    static Language fromSetting(QStringView word) { return word == u"englisch" ? English : German; }
    QString settingText() const
    {
        return isEnglish() ? QStringLiteral("englisch") : QStringLiteral("deutsch");
    }

    constexpr bool isEnglish() const { return m_value == English; }
    constexpr bool isGerman() const { return m_value == German; }
    constexpr Language other() const { return isEnglish() ? German : English; }

    // The one place that chooses between a text's two wordings.
    QString pick(QStringView german, QStringView english) const
    {
        return (isEnglish() ? english : german).toString();
    }

    constexpr bool operator==(const Language &) const = default;

private:
    Value m_value;
};

} // namespace askbright
