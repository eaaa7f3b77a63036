#include "gui/VsxXmlFileList.h"

#include "platform/FatalSignal.h"
#include "xml/DefinitionFolder.h"

namespace {

// How often the user interface looks at the finished flag; the scans take longer.
constexpr int kWatchMilliseconds = 10;

}  // namespace

CVsxXmlFileList::~CVsxXmlFileList() {
    Wait();
}

void CVsxXmlFileList::StartScan(std::span<const std::u16string> baseFolders, QObject* receiver,
                                std::function<void()> onFinished) {
    std::vector<std::u16string> bases(baseFolders.begin(), baseFolders.end());
    m_thread =
        std::thread([this, bases = std::move(bases), name = FolderName(), extension = Extension()] {
            EnsureAlternateSignalStack();  // so that a fault on this thread is reported too
            DefinitionFolder found = ScanDefinitionFolder(bases, name, extension);
            m_searched = std::move(found.searched);
            m_files = std::move(found.files);
            m_finished.store(true, std::memory_order_release);
        });
    if (receiver && onFinished) {
        m_watch = std::make_unique<QTimer>();
        m_watch->setInterval(kWatchMilliseconds);
        QObject::connect(m_watch.get(), &QTimer::timeout, receiver,
                         [this, onFinished = std::move(onFinished)] {
                             if (IsFinished()) {
                                 m_watch->stop();
                                 onFinished();
                             }
                         });
        m_watch->start();
    }
}

void CVsxXmlFileList::Wait() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}
