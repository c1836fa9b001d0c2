#pragma once

#include <string>
#include <string_view>

// Whole-file reading and writing of bytes, with UTF-16 paths; each platform in a file of its
// own. Failures throw crawl::Error "Cannot <open|create|write> file "<path>". <system's text>".
namespace crawl {

// True when `path` names an existing regular file.
bool IsRegularFile(const std::u16string& path);

// The whole content of the file; throws "Cannot open file ...".
std::string ReadFileBytes(const std::u16string& path);

// Creates or replaces the file with exactly `bytes`; throws "Cannot create file ..." or
// "Cannot write file ...".
void WriteFileBytes(const std::u16string& path, std::string_view bytes);

} // namespace crawl
