#include "tests/ui/FormFixture.h"

#include "crawl/text/Text.h"
#include "ui/SystemRunClock.h"

#include <fstream>
#include <random>
#include <sstream>

namespace ui::test {

namespace {

// In the working folder, not the system's temporary one: on Windows that is a folder named
// Temp, which the start-up checks refuse.
std::filesystem::path NewTemporaryFolder()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = std::filesystem::current_path() /
                                             ("sro-ui-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) {
            return folder;
        }
    }
    throw std::runtime_error("no temporary folder");
}

} // namespace

FormFixture::FormFixture(std::u16string registryHost, std::string subfolder)
    : root_(NewTemporaryFolder()), folderPath_(subfolder.empty() ? root_ : root_ / subfolder),
      view_(registryHost)
{
    std::filesystem::create_directories(folderPath_);
    folder_ = (folderPath_ / "").u16string();
    MainFormSettings settings;
    settings.programFolder = folder_;
    settings.executableFolder = folder_;
    settings.registryHost = std::move(registryHost);
    settings.tlsLibraryFound = [this] { return tlsLibraryFound; };
    settings.clock = SystemRunClock();
    form_ = std::make_unique<TMainForm>(view_, std::move(settings));
}

FormFixture::~FormFixture()
{
    form_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void FormFixture::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream(folderPath_ / name, std::ios::binary) << bytes;
}

std::string FormFixture::ReadFile(const std::string& name) const
{
    std::ifstream file(folderPath_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> FormFixture::Files(const std::string& prefix,
                                            const std::string& suffix) const
{
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folderPath_, missing)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(suffix)) {
            names.push_back(name);
        }
    }
    return names;
}

bool PumpUntil(FakeView& view, const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        view.dispatcher.RunPending();
        if (done()) {
            return true;
        }
        view.dispatcher.WaitForWork(std::chrono::milliseconds(10));
    }
    view.dispatcher.RunPending();
    return done();
}

std::string Utf8(std::u16string_view text)
{
    return crawl::Utf16ToUtf8(text);
}

} // namespace ui::test
