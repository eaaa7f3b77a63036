#include "gui/DataFolders.h"

#include "platform/Process.h"

std::vector<std::u16string> DefaultDataFolders() {
    std::vector<std::u16string> folders;
    if (std::u16string program = ProgramFolder(); !program.empty()) {
        folders.push_back(std::move(program));
    }
    folders.push_back(u"" TL_INSTALLED_DATA_DIR);
    return folders;
}
