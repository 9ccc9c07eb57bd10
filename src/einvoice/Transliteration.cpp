#include "einvoice/Transliteration.h"

#include <QHash>

namespace einvoice {

namespace {

// Lower-case forms; an upper-case letter gets its form capitalised.
const QHash<char32_t, QString>& lowerForms() {
    static const QHash<char32_t, QString> map = [] {
        QHash<char32_t, QString> m;
        auto add = [&m](const char16_t* letters, std::initializer_list<const char*> forms) {
            const QString text = QString::fromUtf16(letters);
            int i = 0;
            for (const char* form : forms)
                m.insert(text.at(i++).unicode(), QString::fromLatin1(form));
        };
        // Latin letters that do not decompose.
        add(u"łđħıŀŋŧƒſ", {"l", "d", "h", "i", "l", "n", "t", "f", "s"});
        // Greek, ELOT 743.
        add(u"αβγδεζηθικλμνξοπρσςτυφχψω",
            {"a", "v", "g", "d", "e", "z", "i", "th", "i", "k",  "l",  "m", "n",
             "x", "o", "p", "r", "s", "s", "t", "y",  "f", "ch", "ps", "o"});
        // Cyrillic.
        add(u"абвгдежзийклмнопрстуфхцчшщъыьэюяёієїґў",
            {"a", "b", "v", "g", "d",  "e",  "zh", "z", "i",  "j",  "k",  "l",  "m",
             "n", "o", "p", "r", "s",  "t",  "u",  "f", "kh", "ts", "ch", "sh", "shch",
             "",  "y", "",  "e", "yu", "ya", "e",  "i", "ye", "yi", "g",  "u"});
        return m;
    }();
    return map;
}

QString capitalised(const QString& form) {
    return form.isEmpty() ? form : form.left(1).toUpper() + form.mid(1);
}

} // namespace

QString latinForm(char32_t c) {
    const auto& forms = lowerForms();
    auto it = forms.constFind(c);
    if (it != forms.constEnd())
        return *it;
    const char32_t lower = QChar::toLower(c);
    if (lower != c) {
        it = forms.constFind(lower);
        if (it != forms.constEnd())
            return capitalised(*it);
    }
    // Accented Greek and Cyrillic letters: the form of the bare letter.
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
    if (decomposed.size() > 1) {
        const char32_t base = decomposed.at(0).unicode();
        if (base != c && base >= 0x370)
            return latinForm(base);
    }
    return QString();
}

bool greekPair(char32_t c, char32_t next, QString* latin) {
    const bool omicron = QChar::toLower(c) == U'ο';
    const QString bare =
        QString::fromUcs4(&next, 1).normalized(QString::NormalizationForm_D).left(1);
    const bool upsilon = !bare.isEmpty() && bare.at(0).toLower() == u'υ';
    if (!omicron || !upsilon)
        return false;
    *latin = QChar::isUpper(c)
                 ? (QChar::isUpper(next) ? QStringLiteral("OU") : QStringLiteral("Ou"))
                 : QStringLiteral("ou");
    return true;
}

} // namespace einvoice
