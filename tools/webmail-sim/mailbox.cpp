#include "mailbox.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace Mailbox {
namespace {

using std::string_view;

constexpr string_view subject60 = "Planning notes for the spring catalogue and the new web shop";
constexpr string_view subject61 = "Planning notes for the spring catalogue and the new web shops";
constexpr string_view to20 = "patricia@example.net";
constexpr string_view to21 = "patricia2@example.net";
constexpr string_view line100 =
    "The quick brown fox jumps over the lazy dog and then keeps on running across the wide green field ok";
constexpr string_view word100 =
    "https://photos.example.com/albums/2004/december/lisbon-trip/IMG_0042-full-size-original-copy-v22.jpg";
static_assert(subject60.size() == 60 && subject61.size() == 61);
static_assert(to20.size() == 20 && to21.size() == 21);
static_assert(line100.size() == 100 && word100.size() == 100);

constexpr string_view me = "pat.doe@example.net";

// Edge cases by id (documented for the program's tests; keep in step with mail_pages.cpp):
//  1 plain body with a run of four line ends and a run of three; date "12/05/2004 10:31"
//  2 HTML body with <p> and <div>; date "Sun, 12 Dec 2004 10:31:00"
//  3 subject of exactly 60 characters      4 subject of exactly 61 characters
//  5 To of exactly 20 characters           6 To of exactly 21 characters
//  7 subject "Re: a/b?"                    8 subject with several colons, "/" and "?"
//  9 Yahoo To line with " via Yahoo! Groups" after the address
// 10 Yahoo page without element "message", plain body; 11 the same with an HTML body
// 12 Hotmail: empty "rmsg" before the body; 13 nested "rmsg"; 14 "rmsg ad" after the body
// 15 Cyrillic, 16 Greek, 17 Japanese sender and subject
// 18-20 spam ("WIN A PRIZE", "cheap meds", "$$$"), unread
// 21 quoted display name with a comma     22 "&", "<", ">", quotes in sender, subject, body
// 23 bare sender address and a Cc line    24 plain body: a 100-character line with blanks,
//                                            a 100-character word, a "<" in the text
// 25 subject with a time "10:30" and "4/B"; date "12/05/2004 10:31"
std::vector<Message> handWritten() {
    using enum BodyKind;
    std::vector<Message> messages = {
        {.id = 1,
         .fromName = "Ann Lee",
         .fromAddress = "ann.lee@example.com",
         .to = std::string(me),
         .subject = "Lunch on Friday",
         .date = "12/05/2004 10:31",
         .unread = true,
         .bodyKind = Plain,
         .body = "Hi Pat,\n\n\n\nAre we still on for lunch on Friday?\n\n\nThe new place on Elm Street "
                 "opens at noon.\n\nAnn"},
        {.id = 2,
         .fromName = "Bob Stone",
         .fromAddress = "bob.stone@example.org",
         .to = std::string(me),
         .subject = "Quarterly report",
         .date = "Sun, 12 Dec 2004 10:31:00",
         .bodyKind = Html,
         .body = "<p>Hello Pat,</p><div>The quarterly report is <b>attached</b>.</div>"
                 "<div>Sales are up in <i>every</i> region.</div><p>Regards,<br>Bob</p>"},
        {.id = 3,
         .fromName = "Carla Ruiz",
         .fromAddress = "carla@example.es",
         .to = std::string(me),
         .subject = std::string(subject60),
         .date = "Sat, 11 Dec 2004 16:05:12",
         .bodyKind = Html,
         .body = "<p>See the notes below.</p><p>Carla</p>"},
        {.id = 4,
         .fromName = "Carla Ruiz",
         .fromAddress = "carla@example.es",
         .to = std::string(me),
         .subject = std::string(subject61),
         .date = "Sat, 11 Dec 2004 16:07:40",
         .unread = true,
         .bodyKind = Plain,
         .body = "Sorry, one more item for the list.\n\nCarla"},
        {.id = 5,
         .fromName = "Dan Brooks",
         .fromAddress = "dan@example.com",
         .to = std::string(to20),
         .subject = "Address check",
         .date = "Fri, 10 Dec 2004 09:00:00",
         .bodyKind = Plain,
         .body = "Is this your new address?"},
        {.id = 6,
         .fromName = "Dan Brooks",
         .fromAddress = "dan@example.com",
         .to = std::string(to21),
         .subject = "Address check again",
         .date = "Fri, 10 Dec 2004 09:02:00",
         .bodyKind = Plain,
         .body = "Or is it this one?"},
        {.id = 7,
         .fromName = "Eve Martin",
         .fromAddress = "eve@example.com",
         .to = std::string(me),
         .subject = "Re: a/b?",
         .date = "Thu, 9 Dec 2004 18:45:00",
         .bodyKind = Html,
         .body = "<div>Yes, a over b.</div>"},
        {.id = 8,
         .fromName = "Frank Hall",
         .fromAddress = "frank@example.com",
         .to = std::string(me),
         .subject = "Fwd: Re: Minutes: part 2/3 - ok?",
         .date = "Thu, 9 Dec 2004 08:12:30",
         .bodyKind = Html,
         .body = "<p>Forwarding the minutes.</p><div>--<br>Frank</div>"},
        {.id = 9,
         .fromName = "Hiking Club",
         .fromAddress = "hikers@groups.example.org",
         .to = "hikers@groups.example.org",
         .via = "Yahoo! Groups",
         .subject = "Sunday walk",
         .date = "Wed, 8 Dec 2004 20:00:00",
         .unread = true,
         .bodyKind = Plain,
         .body = "Meet at the station at 9.\n\nBring water."},
        {.id = 10,
         .fromName = "Gina Park",
         .fromAddress = "gina@example.com",
         .to = std::string(me),
         .subject = "Old style page",
         .date = "Wed, 8 Dec 2004 11:11:00",
         .bodyKind = Plain,
         .body = "This page has no message element.\n\nGina",
         .yahooMessageElement = false},
        {.id = 11,
         .fromName = "Gina Park",
         .fromAddress = "gina@example.com",
         .to = std::string(me),
         .subject = "Old style page with markup",
         .date = "Wed, 8 Dec 2004 11:15:00",
         .bodyKind = Html,
         .body = "<p>Still no message element.</p><p>Gina</p>",
         .yahooMessageElement = false},
        {.id = 12,
         .fromName = "Hugo Lind",
         .fromAddress = "hugo@example.se",
         .to = std::string(me),
         .subject = "Empty part first",
         .date = "Tue, 7 Dec 2004 14:20:00",
         .bodyKind = Html,
         .body = "<p>The body is the last rmsg element.</p>",
         .rmsgLayout = RmsgLayout::EmptyBefore},
        {.id = 13,
         .fromName = "Hugo Lind",
         .fromAddress = "hugo@example.se",
         .to = std::string(me),
         .subject = "Nested parts",
         .date = "Tue, 7 Dec 2004 14:25:00",
         .bodyKind = Plain,
         .body = "Plain text inside a nested part.\n\n\n\nHugo",
         .rmsgLayout = RmsgLayout::Nested},
        {.id = 14,
         .fromName = "Hugo Lind",
         .fromAddress = "hugo@example.se",
         .to = std::string(me),
         .subject = "Advert after the body",
         .date = "Tue, 7 Dec 2004 14:30:00",
         .bodyKind = Html,
         .body = "<div>The advert below is not the body.</div>",
         .rmsgLayout = RmsgLayout::NonExactAfter},
        {.id = 15,
         .fromName = "Иван Петров",
         .fromAddress = "ivan@example.ru",
         .to = std::string(me),
         .subject = "Встреча в понедельник",
         .date = "Mon, 6 Dec 2004 07:30:00",
         .bodyKind = Plain,
         .body = "Привет!\n\nДо встречи в понедельник.\n\nИван"},
        {.id = 16,
         .fromName = "Νίκος Παπαδόπουλος",
         .fromAddress = "nikos@example.gr",
         .to = std::string(me),
         .subject = "Καλημέρα από την Αθήνα",
         .date = "Mon, 6 Dec 2004 06:15:00",
         .bodyKind = Html,
         .body = "<p>Καλημέρα!</p><p>Νίκος</p>"},
        {.id = 17,
         .fromName = "山田太郎",
         .fromAddress = "taro@example.jp",
         .to = std::string(me),
         .subject = "会議の件について",
         .date = "Sun, 5 Dec 2004 22:40:00",
         .bodyKind = Plain,
         .body = "お疲れ様です。\n\n会議は水曜日です。\n\n山田"},
        {.id = 18,
         .fromName = "PRIZE DEPARTMENT",
         .fromAddress = "winner@prizes.example.biz",
         .to = std::string(me),
         .subject = "WIN A PRIZE NOW!!!",
         .date = "Sun, 5 Dec 2004 03:03:03",
         .unread = true,
         .bodyKind = Html,
         .body = "<p><b>CONGRATULATIONS!!!</b></p><div>Click here to claim your prize.</div>"},
        {.id = 19,
         .fromName = "Pharmacy Online",
         .fromAddress = "deals@cheap-meds.example.biz",
         .to = std::string(me),
         .subject = "cheap meds - 80% off",
         .date = "Sat, 4 Dec 2004 02:02:02",
         .unread = true,
         .bodyKind = Html,
         .body = "<p>Best prices on cheap meds.</p>"},
        {.id = 20,
         .fromName = "Money Maker",
         .fromAddress = "rich@fast-cash.example.biz",
         .to = std::string(me),
         .subject = "Make $$$ fast from home",
         .date = "Sat, 4 Dec 2004 01:01:01",
         .unread = true,
         .bodyKind = Plain,
         .body = "Work from home and make $$$ fast!!!"},
        {.id = 21,
         .fromName = "\"Smith, John\"",
         .fromAddress = "john.smith@example.org",
         .to = std::string(me),
         .subject = "Contract draft",
         .date = "Fri, 3 Dec 2004 15:00:00",
         .bodyKind = Html,
         .body = "<p>Draft attached.</p><p>John</p>"},
        {.id = 22,
         .fromName = "Tom & Jerry's Diner",
         .fromAddress = "diner@example.com",
         .to = std::string(me),
         .subject = "Fish & Chips <Friday> \"special\"",
         .date = "Fri, 3 Dec 2004 12:00:00",
         .bodyKind = Html,
         .body = "<p>Fish &amp; chips &lt;today&gt; for 5 &euro;.</p>"},
        {.id = 23,
         .fromAddress = "carol@example.com",
         .to = std::string(me),
         .cc = "team@example.com",
         .subject = "Team dinner",
         .date = "Thu, 2 Dec 2004 17:30:00",
         .bodyKind = Plain,
         .body = "Dinner at seven, everyone welcome."},
        {.id = 24,
         .fromName = "Ian Moss",
         .fromAddress = "ian@example.com",
         .to = std::string(me),
         .subject = "Long lines",
         .date = "Thu, 2 Dec 2004 10:00:00",
         .bodyKind = Plain,
         .body = std::string(line100) + "\n" + std::string(word100) + "\n\nif a < b & b > c then a < c"},
        {.id = 25,
         .fromName = "Jo Kent",
         .fromAddress = "jo@example.com",
         .to = std::string(me),
         .subject = "Meeting moved: 10:30 in room 4/B",
         .date = "12/05/2004 10:31",
         .unread = true,
         .bodyKind = Html,
         .body = "<p>See you there.</p>"},
    };
    return messages;
}

constexpr int firstGenerated = 26;

struct Sender {
    string_view name;
    string_view address;
};

constexpr std::array<Sender, 12> senders = {{
    {"Maria Garcia", "maria.garcia@example.es"},
    {"Lukas Weber", "lukas.weber@example.de"},
    {"Chen Wei", "chen.wei@example.cn"},
    {"Пётр Иванов", "petr@example.ru"},
    {"Σοφία Νικολάου", "sofia@example.gr"},
    {"李明", "li.ming@example.cn"},
    {"Shop Newsletter", "news@shop.example.com"},
    {"", "alerts@bank.example.com"},
    {"LOTTERY WINNER", "claim@lotto.example.biz"},
    {"Anna Berg", "anna.berg@example.se"},
    {"Paulo Souza", "paulo@example.com.br"},
    {"Claire Dubois", "claire@example.fr"},
}};

constexpr std::array<string_view, 12> subjects = {
    "Weekend plans",        "Your order has shipped", "Project update",
    "Photos from the trip", "WIN A PRIZE today",      "cheap meds online",
    "Re: budget",           "Привет из Москвы",       "Συνάντηση αύριο",
    "明日の予定",           "Invoice 4471",           "Free vacation - claim now!!!",
};

constexpr std::array<string_view, 6> sentences = {
    "Just checking in to see how things are going.",  "The files you asked for are on the shared drive.",
    "Let me know if Thursday works for you.",         "Thanks again for your help last week.",
    "You have been selected for an exclusive offer.", "Here is the summary we talked about.",
};

// SplitMix64: a fixed, portable mix, so a message's content depends on its id alone.
uint64_t mix(uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::string generatedDate(int id, uint64_t hash) {
    using namespace std::chrono;
    static constexpr std::array<string_view, 7> weekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<string_view, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const sys_days day = sys_days(2004y / December / 1) - days((id - firstGenerated) / 4);
    const year_month_day ymd(day);
    const int hour = 8 + static_cast<int>(hash % 12);
    const int minute = static_cast<int>((hash >> 8) % 60);
    char text[40];
    if (id % 5 == 0) {
        std::snprintf(text, sizeof text, "%02u/%02u/%d %02d:%02d", unsigned(ymd.month()), unsigned(ymd.day()),
                      int(ymd.year()), hour, minute);
    } else {
        std::snprintf(text, sizeof text, "%s, %u %s %d %02d:%02d:00",
                      weekdays[weekday(day).c_encoding()].data(), unsigned(ymd.day()),
                      months[unsigned(ymd.month()) - 1].data(), int(ymd.year()), hour, minute);
    }
    return text;
}

Message generated(int id) {
    const uint64_t hash = mix(static_cast<uint64_t>(id));
    const Sender &sender = senders[hash % senders.size()];
    const string_view sentence = sentences[(hash >> 16) % sentences.size()];
    const std::string signature = std::string(sender.name.empty() ? sender.address : sender.name);
    Message message{.id = id,
                    .fromName = std::string(sender.name),
                    .fromAddress = std::string(sender.address),
                    .to = std::string(me),
                    .subject = std::string(subjects[(hash >> 24) % subjects.size()]),
                    .date = generatedDate(id, hash),
                    .unread = (hash >> 32) % 3 == 0};
    if (id % 2 == 0) {
        message.bodyKind = BodyKind::Html;
        message.body = "<p>Hello,</p><p>" + std::string(sentence) + "</p><div>" + signature + "</div>";
    } else {
        message.body = "Hello,\n\n" + std::string(sentence) + "\n\n" + signature;
    }
    return message;
}

} // namespace

std::string Message::from() const {
    return fromName.empty() ? fromAddress : fromName + " <" + fromAddress + ">";
}

std::optional<Message> message(int id) {
    if (id < 1 || id > maxId)
        return std::nullopt;
    if (id < firstGenerated) {
        static const std::vector<Message> fixed = handWritten();
        return fixed[id - 1];
    }
    return generated(id);
}

} // namespace Mailbox
