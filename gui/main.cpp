#include <QApplication>
#include <QMessageBox>
#include <new>

#include "base/GlobalException.h"
#include "gui/MainDlg.h"
#include "gui/MessageText.h"
#include "gui/ProgramOptions.h"
#include "gui/SettingsFile.h"
#include "gui/Translations.h"
#include "platform/FatalSignal.h"
#include "platform/InstallLayout.h"
#include "platform/Language.h"
#include "platform/Process.h"
#include "xml/XmlLibrary.h"

int main(int argc, char** argv) {
    InstallFatalSignalHandler();
    if (const std::optional<int> exitCode = AnswerProgramOptions(argc, argv)) {
        return *exitCode;
    }
    QApplication application(argc, argv);
    const CDesktopTranslations translations(QLocale(QString::fromStdU16String(UserLocaleName())));
    try {
        const CXmlLibrary xml;
        const CLanguageLibrary language(LanguageLibraryFolders(ProgramFolder()), UserLanguageId());
        // Built once the translations are in, since the first exception fixes the category
        // names for the run.
        PrepareFatalSignalText();
        CSettingsFile settings(CSettingsFile::DefaultPath());
        CMainDlg dialog(settings, SharedDataFolders(ProgramFolder()));
        dialog.exec();
    } catch (const CGeneralException& e) {
        QMessageBox::critical(nullptr, MessageText(100), QString::fromStdU16String(e.What()));
    } catch (const std::bad_alloc&) {
    } catch (int) {
    }
    return 0;
}
