#include "translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

QTranslator &ownTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator &toolkitTranslator()
{
    static QTranslator translator;
    return translator;
}

bool isSourceLanguage(const QString &strLanguage)
{
    return strLanguage == QLatin1String("C") || strLanguage == QLatin1String("POSIX")
        || QLocale(strLanguage).language() == QLocale::English;
}

} // namespace

void installTranslations(const QStringList &languages)
{
    QCoreApplication::removeTranslator(&ownTranslator());
    QCoreApplication::removeTranslator(&toolkitTranslator());
    for (const QString &strLanguage : languages) {
        if (isSourceLanguage(strLanguage))
            return;
        const QLocale locale(strLanguage);
        // A name the toolkit does not know is no language of ours either.
        if (locale.language() == QLocale::C
            || !ownTranslator().load(locale, QStringLiteral("qn58"), QStringLiteral("_"),
                                     QStringLiteral(":/translations")))
            continue;
        QCoreApplication::installTranslator(&ownTranslator());
        if (toolkitTranslator().load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                     toolkitTranslationsFolder()))
            QCoreApplication::installTranslator(&toolkitTranslator());
        return;
    }
}

void installTranslations()
{
    installTranslations(userLanguages());
}
