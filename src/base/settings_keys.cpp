#include "base/settings_keys.h"

#include <array>

namespace Keys {

std::span<const SettingKey> all() {
    static constexpr std::array keys{
        MainDir,
        MainDictionary,
        CustomDictionary,
        SpellUnderline,
        ServiceUrl,
        Service,
        AutoLogin,
        Email,
        Pw,
        SetMax,
        Left,
        Top,
        Width,
        Height,
        AutoPos,
        EdTop,
        EdHt,
        PreserveHtml,
        DoAffiliate,
        AffId,
        AffText,
        Mailto,
        Bug,
        LastBook,
        ShowPalette,
        SaveSent,
        DefaultFolder,
        CheckUnreadCount,
        SpamNonEnglish,
        SpamUnreadOnly,
        SpamWords[0],
        SpamWords[1],
        SpamWords[2],
        SpamWords[3],
        MergePace,
        MergeTimeout,
        DefaultTemplate,
    };
    return keys;
}

} // namespace Keys
