#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "xml/VsxXmlFile.h"

// A list of definition files (letter orders or glyph groups) found in one folder, read on a
// worker thread at start-up. The thread touches only the list until it sets the finished flag;
// the user interface reads the list only after that. A timer on the user interface's thread
// watches the flag, so nothing but the flag passes between the threads: no call is queued from
// the worker, whose hand-over would happen inside the toolkit's event queue, out of sight of
// the thread checker.
class CVsxXmlFileList {
public:
    CVsxXmlFileList() = default;
    virtual ~CVsxXmlFileList();
    CVsxXmlFileList(const CVsxXmlFileList&) = delete;
    CVsxXmlFileList& operator=(const CVsxXmlFileList&) = delete;

    // Scans the folder FolderName() inside the first of `baseFolders` that has it; when done,
    // `onFinished` runs on `receiver`'s thread. The receiver must outlive the list (the dialog
    // owns its lists, whose destruction waits for the scan).
    void StartScan(std::span<const std::u16string> baseFolders, QObject* receiver,
                   std::function<void()> onFinished);
    bool IsFinished() const { return m_finished.load(std::memory_order_acquire); }
    // Blocks until the scan has finished.
    void Wait();
    // The files whose header could be read, in the order the folder gave them. Only valid once
    // IsFinished() is true.
    const std::vector<XmlFileInfo>& Files() const { return m_files; }
    // The folders looked in, in order, up to the one that was found. Only valid once
    // IsFinished() is true.
    const std::vector<std::u16string>& SearchedFolders() const { return m_searched; }

    virtual std::u16string FolderName() const = 0;
    virtual std::u16string Extension() const = 0;

private:
    std::vector<XmlFileInfo> m_files;
    std::vector<std::u16string> m_searched;
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
    std::unique_ptr<QTimer> m_watch;
};
