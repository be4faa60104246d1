#pragma once

#include "store/mail_reader.h"
#include "store/mime_text.h"

// The operations of the GMime module, libcorvalis-mime.so. The store loads it on first use
// (mime_facade.cpp): GMime and what it pulls in cost the start-up a few milliseconds otherwise.
namespace MimeModule {

struct Table {
    decltype(&MimeText::unstructuredHeader) unstructuredHeader;
    decltype(&MimeText::addressHeader) addressHeader;
    decltype(&MimeText::quotedPrintable) quotedPrintable;
    decltype(&MimeText::ready) ready;
    decltype(&MimeText::decodedHeader) decodedHeader;
    decltype(&MailReader::read) read;
    decltype(&MailReader::readMessage) readMessage;
};

// The module's one exported function, named `entryName`.
using Entry = const Table *(*)();
inline constexpr char entryName[] = "corvalis_mime_table";

} // namespace MimeModule
