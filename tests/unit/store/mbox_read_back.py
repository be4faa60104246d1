"""Reads an mbox file with Python's mailbox module and prints its messages as JSON."""
import email.header
import email.utils
import json
import mailbox
import sys


def header(message, name):
    value = message.get(name)
    if value is None:
        return None
    return str(email.header.make_header(email.header.decode_header(value)))


def date(message):
    value = message.get("Date")
    if value is None or email.utils.parsedate_tz(value) is None:
        return value
    return email.utils.parsedate_to_datetime(value).strftime("%Y-%m-%d %H:%M")


messages = []
for message in mailbox.mbox(sys.argv[1], create=False):
    messages.append({
        "envelope": message.get_from().split(" ")[0],
        "from": header(message, "From"),
        "to": header(message, "To"),
        "cc": header(message, "Cc"),
        "subject": header(message, "Subject"),
        "date": date(message),
        "type": message.get_content_type() + ";" + str(message.get_content_charset()),
        "body": message.get_payload(decode=True).decode("utf-8"),
    })
json.dump(messages, sys.stdout)
