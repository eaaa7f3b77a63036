#include "gui/VsxXmlFileList.h"

#include "base/Text.h"
#include "platform/FatalSignal.h"
#include "platform/FileSystem.h"

namespace {

// How often the user interface looks at the finished flag; the scans take longer.
constexpr int kWatchMilliseconds = 10;

}  // namespace

CVsxXmlFileList::~CVsxXmlFileList() {
    Wait();
}

void CVsxXmlFileList::StartScan(std::span<const std::u16string> baseFolders, QObject* receiver,
                                std::function<void()> onFinished) {
    std::u16string folder;
    for (const std::u16string& base : baseFolders) {
        if (base.empty()) {
            continue;
        }
        m_searched.push_back(base + (base.ends_with(u'/') ? u"" : u"/") + FolderName());
        if (fs::IsFolder(m_searched.back())) {
            folder = m_searched.back();
            break;
        }
    }
    m_thread = std::thread([this, folder, extension = Extension()] {
        EnsureAlternateSignalStack();  // so that a fault on this thread is reported too
        Scan(folder, extension);
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

void CVsxXmlFileList::Scan(std::u16string folder, std::u16string extension) {
    if (folder.empty()) {
        return;
    }
    CVsxXmlFile reader;
    const std::u16string wanted = ToLowerAscii(extension);
    for (const std::u16string& name : fs::ListFiles(folder)) {
        if (ToLowerAscii(fs::SplitPath(name).extension) != wanted) {
            continue;
        }
        XmlFileInfo info;
        try {
            reader.Load(info, folder + u"/" + name);
        } catch (...) {
            continue;  // a file whose header cannot be read is simply not offered
        }
        m_files.push_back(std::move(info));
    }
}
