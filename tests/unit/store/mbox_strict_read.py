"""Prints each message of an mbox file as Python's strict email policy reads it, as JSON:
From, To and Cc as [name, address] pairs, the subject, the body and every defect found."""
import email.parser, email.policy, json, mailbox, sys

parser = email.parser.BytesParser(policy=email.policy.strict)
out = []
for message in mailbox.mbox(sys.argv[1], factory=parser.parse, create=False):
    defects = [type(d).__name__ for d in message.defects]
    row = []
    for name in ("From", "To", "Cc"):
        header = message[name]
        defects += [type(d).__name__ for d in getattr(header, "defects", [])]
        row.append(None if header is None else [[a.display_name, a.addr_spec] for a in header.addresses])
    out.append(row + [str(message["Subject"]), message.get_content(), defects])
json.dump(out, sys.stdout)
