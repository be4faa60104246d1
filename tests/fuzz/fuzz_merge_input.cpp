// Template files and merge text as they come from disk and from the compose page: any input is
// read without harm, a template read back and saved again is unchanged, every merge ends, and
// the merge log reads only what it wrote.
#include "fuzz_checks.h"

#include "mailmerge/merge_fields.h"
#include "mailmerge/merge_log.h"
#include "mailmerge/template_file.h"
#include "shell/text_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    const TemplateFile::Template read = TemplateFile::decode(bytes);
    FUZZ_CHECK(!read.subject.contains(u'\n') && !read.subject.contains(u'\r'));
    FUZZ_CHECK(read.body.isEmpty() || read.body.endsWith(QLatin1String("\r\n")));
    const TemplateFile::Template again = TemplateFile::decode(TemplateFile::encode(read));
    FUZZ_CHECK(again.subject == read.subject && again.body == read.body);

    const QString text = TextFile::decode(bytes);
    // Without matching columns the text stays as it is; a value holding fields is not merged again.
    FUZZ_CHECK(MergeFields::merge(text, [](const QString &) { return std::nullopt; }) == text);
    const QString merged = MergeFields::merge(text, [](const QString &name) -> std::optional<QString> {
        return QStringLiteral("<<%1>>").arg(name);
    });
    FUZZ_CHECK(merged.size() <= text.size());
    const QStringList titles{QStringLiteral("First"), QStringLiteral("Email")};
    for (const MergeFields::Field &field : MergeFields::fieldsIn(text, titles))
        FUZZ_CHECK(text.contains(field.name));

    const MergeLog::State state = MergeLog::parse(bytes);
    for (const MergeLog::Entry &entry : state.confirmed)
        FUZZ_CHECK(entry.row >= 0 && !entry.address.isEmpty());
    for (const MergeLog::Entry &entry : state.inFlight) {
        const MergeLog::State confirmed =
            MergeLog::parse(MergeLog::sendingLine(entry) + MergeLog::sentLine(entry));
        FUZZ_CHECK(confirmed.inFlight.empty() && confirmed.confirmed.size() == 1);
    }
    return 0;
}
