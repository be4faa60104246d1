// Saved-message names over any text: names the writer makes read back into the list with their four parts and
// hold nothing the file system or list trips on; any name (a folder may hold anything) reads without harm.
#include "fuzz_checks.h"

#include "base/text_file.h"
#include "store/loose_date.h"
#include "store/message_name.h"
#include "store/saved_message_file.h"

void checkInput(const QByteArray &bytes) {
    const QString text = TextFile::decode(bytes);

    for (const LooseDate::Order order : {LooseDate::Order::MonthFirst, LooseDate::Order::DayFirst}) {
        if (const std::optional<MessageName> name = MessageName::parse(text, order)) {
            FUZZ_CHECK(text.count(QLatin1String("&&")) >= 3);
            FUZZ_CHECK(!name->fileName.startsWith(u' '));
            FUZZ_CHECK(!name->subject.startsWith(u' ') && !name->to.startsWith(u' '));
            FUZZ_CHECK(name->dayNumber.has_value() || !name->sortKeyText().isNull());
        }
        if (const std::optional<QDate> date = LooseDate::read(text, order)) {
            FUZZ_CHECK(date->isValid());
            FUZZ_CHECK(QDate(1950, 1, 1).addDays(LooseDate::dayNumber(*date)) == *date);
        }
    }

    // The input split into the four values of a message.
    const QStringList values = text.split(u'\n');
    const SavedMessage message{
        values.value(0), values.value(1), values.value(2), values.value(3), {}, {}, {}};
    for (const MessageKind kind : {MessageKind::Captured, MessageKind::Sent}) {
        const QString fileName = SavedMessageFile::fileName(message, kind);
        FUZZ_CHECK(fileName.endsWith(QLatin1String(".htm")));
        for (const QChar refused : {u'/', u'\\', u':', u'*', u'?', u'"', u'<', u'>'})
            FUZZ_CHECK(!fileName.contains(refused));
        const std::optional<MessageName> listed = MessageName::parse(fileName, LooseDate::Order::MonthFirst);
        FUZZ_CHECK(listed.has_value());
        // A capture's From gives way to the name limit, all of it when the other parts alone pass it.
        if (kind == MessageKind::Captured)
            FUZZ_CHECK(fileName.toUtf8().size() <= SavedMessageFile::maxNameBytes || listed->from.isEmpty());
    }
}
