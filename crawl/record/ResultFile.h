#pragma once

#include "crawl/platform/OutputFile.h"
#include "crawl/record/MemberRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace crawl {

// The CSV file of one run, in code page 1251 without a byte-order mark, lines ending in CR LF.
// Every write goes straight to the file, so readers see each complete line at once and a run
// that ends abruptly leaves every row written before.
class ResultFile {
public:
    // "data" + the tick count as a signed 32-bit number + ".csv".
    static std::u16string FileName(std::uint32_t tickCount);
    // `folder` ends with its separator.
    static std::u16string FullPath(std::u16string_view folder, std::uint32_t tickCount);

    ResultFile() = default;
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    // Creates the file (one of that name is replaced) and writes the header line. Throws
    // crawl::Error "Cannot create file "<path>". <system's text>" when it cannot be created.
    void Create(std::u16string fullPath);

    bool IsOpen() const noexcept { return file_.IsOpen(); }

    // Writes the member's row, then CR LF. Throws crawl::Error when a write fails.
    void AppendRow(const MemberRecord& record);

    // Safe to call more than once.
    void Close() noexcept;

private:
    void WriteLine(std::u16string_view text);

    OutputFile file_;
};

} // namespace crawl
