#include "web_text.h"

#include <httplib.h>

#include <algorithm>
#include <cstdio>

namespace WebText {

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

FormFields parseUrlEncoded(std::string_view body) {
    FormFields fields;
    while (!body.empty()) {
        const size_t amp = body.find('&');
        const std::string_view pair = body.substr(0, amp);
        body = amp == std::string_view::npos ? std::string_view() : body.substr(amp + 1);
        if (pair.empty())
            continue;
        const size_t eq = pair.find('=');
        std::string name = httplib::detail::decode_url(std::string(pair.substr(0, eq)), true);
        std::string value = eq == std::string_view::npos
                                ? std::string()
                                : httplib::detail::decode_url(std::string(pair.substr(eq + 1)), true);
        auto known =
            std::find_if(fields.begin(), fields.end(), [&](const auto &f) { return f.first == name; });
        if (known != fields.end())
            known->second = std::move(value);
        else
            fields.emplace_back(std::move(name), std::move(value));
    }
    return fields;
}

std::string htmlPage(std::string_view title, std::string_view bodyHtml, std::string_view style) {
    std::string page = "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>";
    page += escapeHtml(title);
    page += "</title>";
    if (!style.empty()) {
        page += "<style>";
        page += style;
        page += "</style>";
    }
    page += "</head>\r\n<body>\r\n";
    page += bodyHtml;
    page += "\r\n</body></html>\r\n";
    return page;
}

} // namespace WebText
