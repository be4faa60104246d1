#include "store/loose_date.h"

#include <QLocale>

#include <vector>

namespace LooseDate {

namespace {

struct Token {
    enum Kind { Number, Word, Mark } kind;
    QStringView text;
    int value = 0; // Number: its value (saturated); Mark: the character
};

std::vector<Token> tokenize(QStringView text) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        if (c.isDigit()) {
            int value = c.digitValue();
            for (; end < text.size() && text[end].isDigit(); ++end)
                value = value > 99999 ? value : value * 10 + text[end].digitValue();
            tokens.push_back({Token::Number, text.sliced(i, end - i), value});
        } else if (c.isLetter()) {
            while (end < text.size() && text[end].isLetter())
                ++end;
            tokens.push_back({Token::Word, text.sliced(i, end - i)});
        } else {
            tokens.push_back({Token::Mark, text.sliced(i, 1), c.unicode()});
        }
        i = end;
    }
    return tokens;
}

// 1..12 for an English month name or its abbreviation, else 0.
int monthOf(QStringView word) {
    static const char *const names[] = {"january",   "february", "march",    "april",
                                        "may",       "june",     "july",     "august",
                                        "september", "october",  "november", "december"};
    if (word.size() < 3)
        return 0;
    for (int month = 0; month < 12; ++month) {
        const QLatin1StringView name(names[month]);
        if (word.size() <= name.size() && name.startsWith(word, Qt::CaseInsensitive))
            return month + 1;
    }
    return 0;
}

bool isWeekday(QStringView word) {
    static const char *const names[] = {"monday", "tuesday",  "wednesday", "thursday",
                                        "friday", "saturday", "sunday"};
    if (word.size() < 3)
        return false;
    for (const char *name : names) {
        if (word.size() <= qsizetype(qstrlen(name)) &&
            QLatin1StringView(name).startsWith(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Reads tokens from the front; every reader leaves the position unchanged when it fails.
class Reader {
public:
    explicit Reader(std::vector<Token> tokens)
        : m_tokens(std::move(tokens)) {}

    bool atEnd() const { return m_at >= m_tokens.size(); }
    const Token *peek(size_t ahead = 0) const {
        return m_at + ahead < m_tokens.size() ? &m_tokens[m_at + ahead] : nullptr;
    }
    bool mark(char c) {
        const Token *t = peek();
        if (!t || t->kind != Token::Mark || t->value != c)
            return false;
        ++m_at;
        return true;
    }
    const Token *number() {
        const Token *t = peek();
        if (!t || t->kind != Token::Number)
            return nullptr;
        ++m_at;
        return t;
    }
    int month() {
        const Token *t = peek();
        const int found = t && t->kind == Token::Word ? monthOf(t->text) : 0;
        if (found)
            ++m_at;
        return found;
    }
    bool word(bool (*accept)(QStringView)) {
        const Token *t = peek();
        if (!t || t->kind != Token::Word || !accept(t->text))
            return false;
        ++m_at;
        return true;
    }
    size_t position() const { return m_at; }
    void rewind(size_t to) { m_at = to; }

private:
    std::vector<Token> m_tokens;
    size_t m_at = 0;
};

int fullYear(const Token &year) {
    if (year.text.size() > 2)
        return year.value;
    return year.value < 30 ? 2000 + year.value : 1900 + year.value;
}

bool isYear(const Token *t) {
    return t && (t->text.size() <= 2 || t->text.size() == 4);
}

QDate numericDate(const Token &a, const Token &b, const Token &c, Order order) {
    if (a.text.size() == 4)
        return QDate(a.value, b.value, c.value);
    if (!isYear(&c) || a.text.size() > 2 || b.text.size() > 2)
        return {};
    const int year = fullYear(c);
    const QDate preferred =
        order == Order::MonthFirst ? QDate(year, a.value, b.value) : QDate(year, b.value, a.value);
    if (preferred.isValid())
        return preferred;
    return order == Order::MonthFirst ? QDate(year, b.value, a.value) : QDate(year, a.value, b.value);
}

QDate readDate(Reader &in, Order order) {
    if (in.word(isWeekday) && !in.mark(','))
        in.mark('.');
    if (const int month = in.month()) { // December 5, 2004
        in.mark('.');
        const Token *day = in.number();
        in.word([](QStringView w) { return w == u"st" || w == u"nd" || w == u"rd" || w == u"th"; });
        in.mark(',');
        const Token *year = in.number();
        return day && isYear(year) ? QDate(fullYear(*year), month, day->value) : QDate();
    }
    const Token *first = in.number();
    if (!first)
        return {};
    for (const char separator : {'/', '-', '.'}) {
        if (!in.mark(separator))
            continue;
        if (const int month = in.month()) { // 12-May-2004
            in.mark('.');
            in.mark(separator);
            const Token *year = in.number();
            return isYear(year) ? QDate(fullYear(*year), month, first->value) : QDate();
        }
        const Token *second = in.number();
        if (!second || !in.mark(separator))
            return {};
        const Token *third = in.number();
        return third ? numericDate(*first, *second, *third, order) : QDate();
    }
    const int month = in.month(); // 12 May 2004
    in.mark('.');
    in.mark(',');
    const Token *year = in.number();
    return month && isYear(year) ? QDate(fullYear(*year), month, first->value) : QDate();
}

bool isAmPm(QStringView w) {
    return w.compare(u"am", Qt::CaseInsensitive) == 0 || w.compare(u"pm", Qt::CaseInsensitive) == 0;
}

bool isZoneName(QStringView w) {
    if (w.size() > 5)
        return false;
    for (const QChar c : w) {
        if (!c.isUpper())
            return false;
    }
    return true;
}

// What may follow the date: a time, AM/PM, and zones ("+0000", "GMT", "(PST)").
bool readRest(Reader &in) {
    const size_t start = in.position();
    if (in.number()) {
        if (!in.mark(':') || !in.number()) {
            in.rewind(start);
            return false;
        }
        if (in.mark(':') && !in.number())
            return false;
        in.word(isAmPm);
    }
    while (!in.atEnd()) {
        if (in.mark('+') || in.mark('-')) {
            if (!in.number() || (in.mark(':') && !in.number()))
                return false;
        } else if (in.mark('(')) {
            while (!in.atEnd() && !in.mark(')'))
                in.rewind(in.position() + 1);
        } else if (!in.word(isZoneName)) {
            return false;
        }
    }
    return true;
}

} // namespace

Order orderOf(const QLocale &locale) {
    if (locale.language() == QLocale::C)
        return Order::MonthFirst;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(u'd');
    const qsizetype month = format.indexOf(u'M');
    return day >= 0 && month >= 0 && day < month ? Order::DayFirst : Order::MonthFirst;
}

Order systemOrder() {
    return orderOf(QLocale::system());
}

std::optional<QDate> read(const QString &text, Order order) {
    Reader in(tokenize(text));
    const QDate date = readDate(in, order);
    if (!date.isValid() || !readRest(in))
        return std::nullopt;
    return date;
}

int dayNumber(const QDate &date) {
    return int(QDate(1950, 1, 1).daysTo(date));
}

} // namespace LooseDate
