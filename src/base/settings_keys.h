#pragma once

#include <span>

// One key of the settings file: where it lives, its exact spelling, and the value a reader gets
// when the file, the section or the key is missing.
struct SettingKey {
    const char *section;
    const char *key;
    const char *defaultValue;
};

namespace Keys {

// Paths.
inline constexpr SettingKey MainDir{"Locations", "main dir", ""};
inline constexpr SettingKey MainDictionary{"Locations", "main dictionary", ""};
inline constexpr SettingKey CustomDictionary{"Locations", "custom dictionary", ""};
// "1": misspelt words are underlined as they are typed.
inline constexpr SettingKey SpellUnderline{"Settings", "spellunderline", "1"};
// Base address of the web-mail and sign-in service the panes open.
inline constexpr SettingKey ServiceUrl{"Locations", "service url", "http://127.0.0.1:8087"};
// The service found at that address ("roundcube", by its login page or the user's choice); empty:
// the older services, told apart by the words of their addresses.
inline constexpr SettingKey Service{"Locations", "service", ""};

// Sign-in.
inline constexpr SettingKey AutoLogin{"Settings", "autologin", "0"};
inline constexpr SettingKey Email{"Settings", "email", ""};
inline constexpr SettingKey Pw{"Settings", "pw", ""};

// Window placement, in twips.
inline constexpr SettingKey SetMax{"Settings", "setmax", "1"};
inline constexpr SettingKey Left{"Settings", "left", "-1"};
inline constexpr SettingKey Top{"Settings", "top", "0"};
inline constexpr SettingKey Width{"Settings", "width", "700"};
inline constexpr SettingKey Height{"Settings", "height", "500"};

// Editor placement, in twips.
inline constexpr SettingKey AutoPos{"Settings", "autopos", "1"};
inline constexpr SettingKey EdTop{"Settings", "ed_top", "950"};
inline constexpr SettingKey EdHt{"Settings", "ed_ht", "3030"};
inline constexpr SettingKey PreserveHtml{"Settings", "preserveHTML", "1"};

// Blog-post footer link.
inline constexpr SettingKey DoAffiliate{"Settings", "do_affiliate", ""};
inline constexpr SettingKey AffId{"Settings", "affID", ""};
inline constexpr SettingKey AffText{
    "Settings", "afftext", "This Blog was Created by Corvalis - Visual HTML Editing for Blogger.com"};

// Hand-over from an outside launcher, and the progress marker of the last hand-over.
inline constexpr SettingKey Mailto{"Settings", "mailto", ""};
inline constexpr SettingKey Bug{"Settings", "bug", ""};

// The address book open at exit, reopened at start-up, and whether the address palette shows then.
inline constexpr SettingKey LastBook{"Settings", "lastbook", ""};
inline constexpr SettingKey ShowPalette{"Settings", "showpalette", "0"};

// Sent copies, and the inbox checks of the settings panel.
inline constexpr SettingKey SaveSent{"Settings", "savesent", "1"};
// The saved-message folder that captures go to and the saved-folders tab opens on.
inline constexpr SettingKey DefaultFolder{"Settings", "defaultfolder", "Saved"};
// A list index: 0 all, n the first 5n.
inline constexpr SettingKey CheckUnreadCount{"Settings", "checkunread", "0"};
inline constexpr SettingKey SpamNonEnglish{"Settings", "spamnonenglish", "0"};
inline constexpr SettingKey SpamUnreadOnly{"Settings", "spamunread", "0"};
// The spam keywords, joined by "|" and spread over as many values as they need.
inline constexpr SettingKey SpamWords[] = {{"Settings", "spamwords", ""},
                                           {"Settings", "spamwords2", ""},
                                           {"Settings", "spamwords3", ""},
                                           {"Settings", "spamwords4", ""}};

// Mail merge: seconds between two emails; seconds any one wait of a run (for the compose page,
// for the service's answer) may last before the run stops; the template the compose frame offers first.
inline constexpr SettingKey MergePace{"Settings", "mergepace", "0"};
inline constexpr SettingKey MergeTimeout{"Settings", "mergetimeout", "60"};
inline constexpr SettingKey DefaultTemplate{"Settings", "deftemplate", ""};

// Every key above; a key added to the program is added here too.
std::span<const SettingKey> all();

} // namespace Keys
