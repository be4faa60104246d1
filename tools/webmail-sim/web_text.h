#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Text helpers shared by the page builders and the recording routes.
namespace WebText {

using FormFields = std::vector<std::pair<std::string, std::string>>;

// Escapes &, <, >, " and ' so that any value can go into element text or an attribute.
std::string escapeHtml(std::string_view text);

// A JSON string literal, quotes included. UTF-8 passes through; controls become \uXXXX.
std::string jsonString(std::string_view text);

// Decodes an application/x-www-form-urlencoded body in posting order ("+" is a blank).
// A name posted twice keeps its first place and its last value.
FormFields parseUrlEncoded(std::string_view body);

// A whole UTF-8 HTML document around `bodyHtml`; `title` is escaped here.
std::string htmlPage(std::string_view title, std::string_view bodyHtml, std::string_view style = {});

} // namespace WebText
