#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A form post as the page sends it: "name=value&name=value", each name and value form-encoded.
class PostData {
public:
    explicit PostData(const QString &data);

    // The raw value of the first field named `name` (an exact match), or nothing when the post
    // has no such field. The value runs to the next "&" or to the end.
    std::optional<QStringView> rawValue(QStringView name) const;
    // The decoded value of `first`, else of `second`, else nothing.
    std::optional<QString> value(QStringView first, QStringView second) const;

    // Form decoding: "+" is a blank, and "%" with two hexadecimal digits the byte of that code;
    // each run of such bytes is read as UTF-8 (Windows-1252 when it is not). Other "%" signs stay.
    static QString decode(QStringView raw);

private:
    QString m_data; // with a leading "&", so the first field is found like every other
};
