#!/usr/bin/env python3
"""A mailbox of the test stack over IMAP (loopback only).

  imap.py append PORT USER PASSWORD MAILBOX PATH   stores PATH's messages (a file, or a folder's
                                                   files in name order; *.seen.eml arrive read)
  imap.py read PORT USER PASSWORD MAILBOX          prints the mailbox as JSON, one object a message
                                                   in UID order: uid, flags, the headers From,
                                                   Reply-To, To, Cc, Date, Subject decoded, and
                                                   the body text (HTML when the message has
                                                   it: then html is true)
  imap.py subjects PORT USERS PASSWORD MAILBOX     prints, as one JSON object, the subjects in each
                                                   mailbox of USERS (comma-separated, one password)
"""
import email
import email.policy
import imaplib
import json
import os
import sys


def connect(port, user, password):
    imap = imaplib.IMAP4('127.0.0.1', int(port))
    imap.login(user, password)
    return imap


def append(imap, mailbox, path):
    files = [path] if os.path.isfile(path) else [os.path.join(path, n) for n in sorted(os.listdir(path))]
    for name in files:
        with open(name, 'rb') as f:
            raw = f.read().replace(b'\r\n', b'\n').replace(b'\n', b'\r\n')
        flags = '(\\Seen)' if name.endswith('.seen.eml') else None
        status, answer = imap.append(mailbox, flags, None, raw)
        if status != 'OK':
            sys.exit(f'append {name}: {answer}')


def body_of(message):
    part = message.get_body(preferencelist=('html', 'plain'))
    return (part.get_content(), part.get_content_type() == 'text/html') if part else ('', False)


def read(imap, mailbox):
    imap.select(mailbox, readonly=True)
    _, data = imap.uid('search', None, 'ALL')
    out = []
    for uid in data[0].split():
        _, fetched = imap.uid('fetch', uid, '(FLAGS BODY.PEEK[])')
        flags = imaplib.ParseFlags(fetched[0][0])
        message = email.message_from_bytes(fetched[0][1], policy=email.policy.default)
        body, html = body_of(message)
        entry = {'uid': int(uid), 'flags': [f.decode() for f in flags], 'body': body, 'html': html}
        for header in ('From', 'Reply-To', 'To', 'Cc', 'Date', 'Subject'):
            entry[header.lower()] = str(message.get(header, ''))
        out.append(entry)
    json.dump(out, sys.stdout, ensure_ascii=False)


def subjects(port, users, password, mailbox):
    out = {}
    for user in users.split(','):
        imap = connect(port, user, password)
        imap.select(mailbox, readonly=True)
        _, data = imap.uid('search', None, 'ALL')
        out[user] = []
        for uid in data[0].split():
            _, fetched = imap.uid('fetch', uid, '(BODY.PEEK[HEADER.FIELDS (SUBJECT)])')
            header = email.message_from_bytes(fetched[0][1], policy=email.policy.default)
            out[user].append(str(header.get('Subject', '')))
        imap.logout()
    json.dump(out, sys.stdout, ensure_ascii=False)


def main():
    command, port, user, password, mailbox = sys.argv[1:6]
    if command == 'subjects':
        subjects(port, user, password, mailbox)
        return
    imap = connect(port, user, password)
    if command == 'append':
        append(imap, mailbox, sys.argv[6])
    else:
        read(imap, mailbox)
    imap.logout()


main()
