#pragma once

#include <QLocale>
#include <QTranslator>

// The window's own texts and Qt's (dialog buttons, file and colour choosers) in the language
// of `locale`, while the object lives; English where no translation exists. The messages of
// the numbered table come from the language library instead.
class CDesktopTranslations {
public:
    explicit CDesktopTranslations(const QLocale& locale);
    ~CDesktopTranslations();
    CDesktopTranslations(const CDesktopTranslations&) = delete;
    CDesktopTranslations& operator=(const CDesktopTranslations&) = delete;

private:
    QTranslator m_own;
    QTranslator m_qt;
};
