"""The names a browser posts with a page's first form, one a line, in order.

Read with Python's own HTML tokenizer and the form element pointer of the
HTML parsing algorithm: a form's start tag sets the pointer unless one is
set (then the tag is ignored), any </form> clears it, and every control
met while it is set belongs to that form. The text of a textarea, title,
xmp, iframe, noembed or noframes holds no tags.

usage: browser_posts.py PAGE ENCODING
"""

import sys
from html.parser import HTMLParser

TEXT_ONLY = {"textarea", "title", "xmp", "iframe", "noembed", "noframes"}
CONTROLS = {"input", "select", "textarea", "button"}
NOT_POSTED = {"submit", "reset", "button", "image", "file"}


class FormReader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.forms = []
        self.pointer = None

    def handle_starttag(self, tag, attrs):
        attributes = {name: value or "" for name, value in attrs}
        if tag == "form":
            if self.pointer is None:
                self.forms.append([])
                self.pointer = len(self.forms) - 1
        elif tag in CONTROLS and self.pointer is not None:
            self.forms[self.pointer].append((tag, attributes))
        if tag in TEXT_ONLY:
            self.set_cdata_mode(tag)

    def handle_endtag(self, tag):
        if tag == "form":
            self.pointer = None


def posted_names(controls):
    names = []
    for tag, attributes in controls:
        if tag == "button":
            continue
        if tag == "input" and attributes.get("type", "text").strip().lower() in NOT_POSTED:
            continue
        name = attributes.get("name", "")
        if name and name not in names:
            names.append(name)
    return names


def main():
    with open(sys.argv[1], "rb") as page:
        text = page.read().decode(sys.argv[2], errors="replace")
    reader = FormReader()
    reader.feed(text)
    reader.close()
    for name in posted_names(reader.forms[0] if reader.forms else []):
        print(name)


main()
