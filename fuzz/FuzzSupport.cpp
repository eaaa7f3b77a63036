#include "fuzz/FuzzSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include "core/PgCtrl.h"
#include "xml/XmlLibrary.h"

namespace fuzz_support {

namespace {

class QuietPgCtrl : public CPgCtrl {
public:
    bool IsCanceled() override { return false; }
    void SetStatus(int) override {}
    void ResetProgress() override {}
    void SetProgressRange(int) override {}
    void StepProgress(int) override {}
    void AddWarning(const std::u16string&, bool) override {}
};

// Memory-backed when the machine has it: truncating and rewriting a file on disk for every
// input costs far more than the reader does.
std::string ScratchFolder() {
    struct stat st {};
    return ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
}

}  // namespace

void Prepare() {
    static QuietPgCtrl progress;
    static const std::unique_ptr<CXmlLibrary> xml = std::make_unique<CXmlLibrary>();
    g_pPgCtrl = &progress;
}

std::u16string WriteScratchFile(std::span<const uint8_t> data, const char* extension, int slot) {
    const std::string path = ScratchFolder() + "/typeloom-fuzz-" + std::to_string(::getpid()) +
                             "-" + std::to_string(slot) + extension;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    out.close();
    return std::u16string(path.begin(), path.end());
}

}  // namespace fuzz_support
