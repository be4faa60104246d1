#pragma once

#include <QString>

// Colour numbers hold blue in the high byte and red in the low byte (0x00BBGGRR); HTML writes
// colours as #RRGGBB. Only the low 24 bits of a number count.
QString FormatRGBString(qint32 colour);

// The colour number of "#RRGGBB" (the "#" may be missing, case and surrounding blanks do not
// matter); the short form "#RGB" is read as "#RRGGBB". Text that is not such a colour (a colour
// name such as "red", an empty text) gives -1, so that callers can keep it as it was written.
qint32 RevFormatRGBString(const QString &text);
