// Templates, merge text and the merge log from disk or the compose page: any input reads safely, a template
// read and saved again is unchanged, every merge ends without growing the text, the log reads what it wrote.
#include "fuzz_checks.h"

#include "base/text_file.h"
#include "mailmerge/merge_fields.h"
#include "mailmerge/merge_log.h"
#include "mailmerge/template_file.h"

void checkInput(const QByteArray &bytes) {
    const TemplateFile::Template read = TemplateFile::decode(bytes);
    FUZZ_CHECK(!read.subject.contains(u'\n') && (read.body.isEmpty() || read.body.endsWith(u'\n')));
    const TemplateFile::Template again = TemplateFile::decode(TemplateFile::encode(read));
    FUZZ_CHECK(again.subject == read.subject && again.body == read.body);

    // A value holding its own field is written as it is, never merged again.
    const QString text = TextFile::decode(bytes);
    FUZZ_CHECK(MergeFields::merge(text, [](const QString &) { return std::nullopt; }) == text);
    const auto itself = [](const QString &name) -> std::optional<QString> { return "<<" + name + ">>"; };
    FUZZ_CHECK(MergeFields::merge(text, itself).size() <= text.size());

    for (const MergeLog::Entry &entry : MergeLog::parse(bytes).unknown) {
        const MergeLog::State sent =
            MergeLog::parse(MergeLog::sendingLine(entry) + MergeLog::sentLine(entry));
        FUZZ_CHECK(sent.unknown.empty() && sent.confirmed.size() == 1 && entry.row >= 0);
        const MergeLog::State failed =
            MergeLog::parse(MergeLog::sendingLine(entry) + MergeLog::unknownLine(entry));
        FUZZ_CHECK(failed.unknown.size() == 1 && failed.confirmed.empty());
    }
}
