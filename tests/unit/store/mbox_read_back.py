"""Prints the messages of an mbox file as Python's mailbox module reads them, as JSON."""
import email.header, email.utils, json, mailbox, sys


def text(message, name):
    value = message.get(name)
    return None if value is None else str(email.header.make_header(email.header.decode_header(value)))


def date(value):
    if value is None or email.utils.parsedate_tz(value) is None:
        return value
    return email.utils.parsedate_to_datetime(value).strftime("%Y-%m-%d %H:%M")


json.dump([[m.get_from().split(" ")[0], text(m, "From"), text(m, "To"), text(m, "Cc"), text(m, "Subject"),
            date(m.get("Date")), m.get_content_type() + ";" + m.get_content_charset(),
            m.get_payload(decode=True).decode("utf-8")] for m in mailbox.mbox(sys.argv[1], create=False)],
          sys.stdout)
