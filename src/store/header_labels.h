#pragma once

#include <optional>
#include <string_view>

// The header captions that the web-mail message pages show, per provider, label kind and
// language. The capture finds header values by searching the page text for these captions,
// and finds the page's language by its Subject caption, so every Subject caption is unique
// to its language. Plain C++ (UTF-8 texts) so that webmail-sim renders its pages from the
// very same table the program reads them with.
namespace HeaderLabels {

// In table order. Third is the line between From and To on the Hotmail page ("Reply-To:"),
// the Cc line on the Yahoo page; its value is read but not kept.
enum class Kind { From, To, Third, Subject, Date };

constexpr int kinds = 5;
// Language slots; the first `searchedLanguages` are filled and searched, the rest are empty.
constexpr int languageSlots = 11;
constexpr int searchedLanguages = 8;

// `provider` is "yahoo" or "hotmail" (exactly). An unknown provider or a language outside
// 0..languageSlots-1 gives an empty text, as do the unused slots.
std::string_view label(std::string_view provider, Kind kind, int language);

// Two-letter code of a language slot ("en", "de", ...), empty for an unused slot.
std::string_view languageCode(int language);

// Slot of a language code, or nothing when the code is not one of the searched languages.
std::optional<int> languageIndex(std::string_view code);

} // namespace HeaderLabels
