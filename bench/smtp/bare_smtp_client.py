"""The bare figure of the SMTP benchmark: the messages a server received
(N.eml with N.envelope beside it) sent again by Python's smtplib over one
connection with STARTTLS and AUTH, as a plain client would. Prints the
seconds it took.

    bare_smtp_client.py HOST PORT CA_FILE USER PASSWORD FOLDER"""

import os
import smtplib
import ssl
import sys
import time


def main(host, port, ca_file, user, password, folder):
    messages = []
    for name in sorted(os.listdir(folder), key=lambda n: int(n.split(".")[0])):
        if not name.endswith(".eml"):
            continue
        base = os.path.join(folder, name[:-4])
        with open(base + ".eml", "rb") as f:
            data = f.read()
        with open(base + ".envelope") as f:
            envelope = f.read().split()
        messages.append((envelope[0], envelope[1:], data))
    context = ssl.create_default_context(cafile=ca_file)
    start = time.monotonic()
    with smtplib.SMTP(host, int(port)) as client:
        client.starttls(context=context)
        client.login(user, password)
        for sender, recipients, data in messages:
            client.sendmail(sender, recipients, data)
    print("%d %.6f" % (len(messages), time.monotonic() - start))


if __name__ == "__main__":
    main(*sys.argv[1:])
