"""Reads mail files as a receiving server would, with Python's email package
(policy.default), and prints one line per file, fields split by tabs:

    file  from-address  from-name  date(ISO, UTC)  message-id  to  cc  bcc  defects

Addresses of a header are joined by commas; a missing header is empty; defects
counts what the parser and the header parsers complained of."""

import datetime
import email
import sys
from email import policy


def addresses(message, name):
    header = message[name]
    if header is None:
        return "", 0
    return ",".join(a.addr_spec for a in header.addresses), len(header.defects)


def describe(path):
    with open(path, "rb") as f:
        message = email.message_from_binary_file(f, policy=policy.default)
    defects = len(message.defects)
    sender = message["From"]
    from_address, from_name = "", ""
    if sender is not None:
        defects += len(sender.defects)
        if len(sender.addresses) == 1:
            from_address = sender.addresses[0].addr_spec
            from_name = sender.addresses[0].display_name
    date = message["Date"]
    when = ""
    if date is not None and date.datetime is not None:
        when = date.datetime.astimezone(datetime.timezone.utc).isoformat()
    message_id = str(message["Message-ID"] or "")
    to, to_defects = addresses(message, "To")
    cc, cc_defects = addresses(message, "Cc")
    bcc, bcc_defects = addresses(message, "Bcc")
    defects += to_defects + cc_defects + bcc_defects
    return [path, from_address, from_name, when, message_id, to, cc, bcc, str(defects)]


for name in sys.argv[1:]:
    print("\t".join(describe(name)))
