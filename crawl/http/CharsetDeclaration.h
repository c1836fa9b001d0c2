#pragma once

#include <optional>
#include <string>
#include <string_view>

// Charsets that a document declares about itself, read from its bytes before decoding.
namespace crawl::http {

// The charset of the first meta element of an HTML document that declares one, either as
// <meta charset="..."> or as <meta http-equiv="Content-Type" content="...; charset=...">.
std::optional<std::string> HtmlMetaCharset(std::string_view document);

// The encoding of the XML declaration (<?xml version="1.0" encoding="..."?>) that opens
// the document, after white space at most.
std::optional<std::string> XmlDeclarationEncoding(std::string_view document);

} // namespace crawl::http
