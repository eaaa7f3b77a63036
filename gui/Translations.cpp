#include "gui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

CDesktopTranslations::CDesktopTranslations(const QLocale& locale) {
    // Ours are built into the program; Qt's come with the system's Qt translations, if any.
    if (m_own.load(locale, QStringLiteral("typeloom"), QStringLiteral("_"),
                   QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&m_own);
    }
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

CDesktopTranslations::~CDesktopTranslations() {
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_own);
}
