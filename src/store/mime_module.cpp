#include "store/mime_module.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const MimeModule::Table *corvalis_mime_table() {
    static constexpr MimeModule::Table table{
        &MimeText::unstructuredHeader, &MimeText::addressHeader, &MimeText::quotedPrintable, &MimeText::ready,
        &MimeText::decodedHeader,      &MailReader::read,        &MailReader::readMessage};
    return &table;
}
