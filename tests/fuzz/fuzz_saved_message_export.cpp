// Saved message files read back, written into an mbox and folded for searching: any input is
// read without harm, and an entry never holds a line that would start another entry or a CR.
#include "fuzz_checks.h"

#include "shell/text_file.h"
#include "store/mbox_writer.h"
#include "store/saved_message_file.h"
#include "store/search_matcher.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    std::optional<SavedMessage> message = SavedMessageFile::read(bytes);
    if (!message) {
        // Any text, as the fields of a message: one field a line.
        const QStringList lines = TextFile::decode(bytes).split(u'\n');
        message = SavedMessage{lines.value(0), lines.value(1), lines.value(2),          lines.value(3),
                               lines.value(4), lines.value(5), lines.mid(6).join(u'\n')};
    }
    const QByteArray entry = MboxWriter::entry(
        *message, QDateTime(QDate(2004, 5, 12), QTime(10, 31), QTimeZone::UTC), LooseDate::Order::MonthFirst);
    FUZZ_CHECK(entry.startsWith("From "));
    FUZZ_CHECK(entry.endsWith("\n\n"));
    FUZZ_CHECK(!entry.contains('\r'));
    FUZZ_CHECK(!entry.sliced(5).contains("\nFrom "));

    // The text a search compares: folded letters, single blanks, none at either end.
    const QByteArray folded = SearchMatcher::foldedText(bytes);
    FUZZ_CHECK(!folded.contains("  ") && !folded.startsWith(' ') && !folded.endsWith(' '));
    for (const char c : folded)
        FUZZ_CHECK(c < 'A' || c > 'Z');
    return 0;
}
