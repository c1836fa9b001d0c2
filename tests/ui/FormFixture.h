#pragma once

#include "tests/ui/FakeView.h"
#include "ui/MainForm.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ui::test {

inline constexpr char16_t TestHost[] = u"registry.example.org";

// A TMainForm on a FakeView whose program folder is a fresh temporary folder (or a folder
// `subfolder` inside it), removed at the end.
class FormFixture {
public:
    explicit FormFixture(std::u16string registryHost = TestHost, std::string subfolder = {});
    ~FormFixture();
    FormFixture(const FormFixture&) = delete;
    FormFixture& operator=(const FormFixture&) = delete;

    TMainForm& Form() { return *form_; }
    FakeView& View() { return view_; }
    // The program's folder, with its trailing separator.
    const std::u16string& Folder() const { return folder_; }
    std::filesystem::path Path() const { return folderPath_; }

    // The form is shown: its start-up runs.
    void Show() { form_->FormShow(); }
    std::vector<std::u16string> LogLines() const { return view_.Lines(Control::LogsMemo); }

    void WriteFile(const std::string& name, const std::string& bytes) const;
    // The bytes of a file of the folder; empty when it does not exist.
    std::string ReadFile(const std::string& name) const;
    // Names of the files of the folder that start with `prefix` and end with `suffix`.
    std::vector<std::string> Files(const std::string& prefix, const std::string& suffix) const;

    // Whether the TLS library is found, as the start-up check asks.
    bool tlsLibraryFound = true;

private:
    std::filesystem::path root_;
    std::filesystem::path folderPath_;
    std::u16string folder_;
    FakeView view_;
    std::unique_ptr<TMainForm> form_;
};

// Runs the hand-over operations that a worker sends, as the UI thread's message loop would,
// until `done` holds or `limit` has passed; returns whether it held.
bool PumpUntil(FakeView& view, const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

// Text in UTF-8, for the test's own comparisons and messages.
std::string Utf8(std::u16string_view text);

} // namespace ui::test
