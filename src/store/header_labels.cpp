#include "store/header_labels.h"

#include <array>

namespace HeaderLabels {
namespace {

using Row = std::array<std::string_view, kinds>;
using Table = std::array<Row, languageSlots>;

constexpr std::array<std::string_view, languageSlots> codes = {"en", "de", "fr", "es",
                                                               "it", "nl", "pt", "sv"};

// Columns: From, To, Third (Cc), Subject, Date. Yahoo! Mail shows one header per line.
constexpr Table yahoo = {{
    {"From:", "To:", "Cc:", "Subject:", "Date:"},
    {"Von:", "An:", "Cc:", "Betreff:", "Datum:"},
    {"De :", "À :", "Cc :", "Objet :", "Date :"},
    {"De:", "Para:", "Cc:", "Asunto:", "Fecha:"},
    {"Da:", "A:", "Cc:", "Oggetto:", "Data:"},
    {"Van:", "Aan:", "Cc:", "Onderwerp:", "Datum:"},
    {"De:", "Para:", "Cc:", "Assunto:", "Data:"},
    {"Från:", "Till:", "Kopia:", "Ämne:", "Datum:"},
}};

// Columns: From, To, Third, Subject, Date. The Hotmail page captions its recipient line
// "Reply-" followed by the To caption: the capture reads From up to the To caption and drops
// the "Reply-" it picks up on the way, and reads To after the To caption inside that line.
constexpr Table hotmail = {{
    {"From:", "To:", "Reply-To:", "Subject:", "Sent:"},
    {"Von:", "An:", "Reply-An:", "Betreff:", "Gesendet:"},
    {"De :", "À :", "Reply-À :", "Objet :", "Envoyé :"},
    {"De:", "Para:", "Reply-Para:", "Asunto:", "Enviado:"},
    {"Da:", "A:", "Reply-A:", "Oggetto:", "Inviato:"},
    {"Van:", "Aan:", "Reply-Aan:", "Onderwerp:", "Verzonden:"},
    {"De:", "Para:", "Reply-Para:", "Assunto:", "Enviada:"},
    {"Från:", "Till:", "Reply-Till:", "Ämne:", "Skickat:"},
}};

const Table *tableOf(std::string_view provider) {
    if (provider == "yahoo")
        return &yahoo;
    if (provider == "hotmail")
        return &hotmail;
    return nullptr;
}

} // namespace

std::string_view label(std::string_view provider, Kind kind, int language) {
    const Table *table = tableOf(provider);
    if (!table || language < 0 || language >= languageSlots)
        return {};
    return (*table)[language][static_cast<int>(kind)];
}

std::string_view languageCode(int language) {
    if (language < 0 || language >= languageSlots)
        return {};
    return codes[language];
}

std::optional<int> languageIndex(std::string_view code) {
    for (int language = 0; language < searchedLanguages; ++language) {
        if (codes[language] == code)
            return language;
    }
    return std::nullopt;
}

} // namespace HeaderLabels
