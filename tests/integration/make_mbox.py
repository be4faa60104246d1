"""Writes an mbox of varied messages (HTML only, plain text with "From " lines, alternatives,
attachments, non-ASCII names and subjects) and prints each one's [address, subject, date, text]."""
import email.message, email.utils, json, mailbox, sys

box, expected = mailbox.mbox(sys.argv[1]), []
for i in range(int(sys.argv[2])):
    m = email.message.EmailMessage()
    name, address = ["Ann Lee", "Zoë Ärger", "Doe, John"][i % 3], "sender%d@example.com" % i
    m["From"] = email.utils.formataddr((name, address))
    m["To"] = "pat@example.net"
    m["Subject"] = ["Plans %d", "Crème brûlée %d – ok", "Lunch on Friday? %d"][i % 3] % i
    m["Date"] = email.utils.format_datetime(email.utils.localtime().replace(microsecond=0, second=i % 60))
    text = "Message text %d" % i
    kind = i % 4
    if kind == 0:
        m.set_content("<p>%s</p>" % text, subtype="html")
    elif kind == 1:
        m.set_content("%s\nFrom the start of a line\n" % text)
    else:
        m.set_content(text)
        m.add_alternative("<p>%s</p>" % text, subtype="html")
        if kind == 3:
            m.add_attachment(bytes(range(256)), maintype="application", subtype="octet-stream", filename="a.bin")
    box.add(m)
    expected.append([address, m["Subject"], m["Date"], text])
box.close()
json.dump(expected, sys.stdout)
