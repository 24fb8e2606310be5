#!/usr/bin/env python3
"""Writes a compressed manual page: a hand-written page with the program's own
--help put in at @SYNOPSIS@ and @HELP@, so the page and --help never differ.

    manpage.py PROGRAM TEMPLATE OUT.gz --version V --date D

--help is read in blocks separated by blank lines:
- "Usage: FORM", more forms on the lines below it: the synopsis;
- "Heading:" alone, then items indented by two spaces: a section of tagged
  paragraphs; an item's term ends at two spaces or at the end of its line, and
  its text follows or stands on the lines indented deeper;
- "Heading: text": a section of one paragraph;
- anything else: a paragraph of the description.
"""
import argparse
import gzip
import re
import subprocess
import sys

HEADING = re.compile(r"([A-Z][a-z]+(?: [a-z]+){0,2}):(?: (.*))?$")


def escape(text):
    text = text.replace("\\", "\\e")
    # Dashes of options are minus signs; those inside words stay hyphens.
    return re.sub(r"(?<![\w-])-[\w-]*", lambda m: m.group().replace("-", "\\-"), text)


def line(text):
    text = escape(text)
    return "\\&" + text if text[:1] in (".", "'") else text


def term(text):
    """Program and command names and options bold, placeholders italic."""
    out = []
    for word in text.split(" "):
        lead, core, tail = re.fullmatch(r"([\[(]*)(.*?)([\])|,]*)", word).groups()
        if re.fullmatch(r"-[\w-]*(=\S*)?|[a-z][a-z0-9-]*", core):
            core = "\\fB" + core.replace("-", "\\-") + "\\fR"
        elif re.fullmatch(r"[A-Z][A-Z0-9_]*(\.\w+)?", core):
            core = "\\fI" + core + "\\fR"
        else:
            core = escape(core)
        out.append(lead + core + tail)
    joined = " ".join(out)
    return "\\&" + joined if joined[:1] in (".", "'") else joined


def blocks(text):
    current = []
    for raw in text.splitlines():
        if raw.strip():
            current.append(raw.rstrip())
        elif current:
            yield current
            current = []
    if current:
        yield current


def items(lines):
    out = []
    for raw in lines:
        if re.match(r"  \S", raw):
            head, _, rest = raw[2:].partition("  ")
            out += [".TP", term(head)]
            if rest.strip():
                out.append(line(rest.strip()))
        else:
            out.append(line(raw.strip()))
    return out


def convert(help_text):
    synopsis, body = [], []
    for block in blocks(help_text):
        first = block[0]
        if first.startswith("Usage: "):
            forms = [first[len("Usage: "):]] + [b.strip() for b in block[1:]]
            synopsis = [".SH SYNOPSIS"]
            for i, form in enumerate(forms):
                synopsis += [".br", term(form)] if i else [term(form)]
            continue
        m = HEADING.match(first)
        if m:
            body.append('.SH "%s"' % m.group(1).upper())
            if m.group(2) is None:
                body += items(block[1:])
            else:
                body += [line(m.group(2))] + [line(b.strip()) for b in block[1:]]
        else:
            body += [".PP"] + [line(b.strip()) for b in block]
    if not synopsis:
        sys.exit("manpage.py: the help text has no Usage line")
    return synopsis, body


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("program")
    ap.add_argument("template")
    ap.add_argument("output")
    ap.add_argument("--version", required=True)
    ap.add_argument("--date", required=True)
    a = ap.parse_args()

    help_text = subprocess.run([a.program, "--help"], check=True, capture_output=True, text=True).stdout
    synopsis, body = convert(help_text)
    page = []
    with open(a.template, encoding="utf-8") as f:
        for raw in f.read().splitlines():
            if raw == "@SYNOPSIS@":
                page += synopsis
            elif raw == "@HELP@":
                page += body
            else:
                page.append(raw.replace("@VERSION@", a.version).replace("@DATE@", a.date))
    data = ("\n".join(page) + "\n").encode("utf-8")
    # No name and no time in the header: the same page gives the same bytes.
    with open(a.output, "wb") as f, gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=f, mtime=0) as z:
        z.write(data)


if __name__ == "__main__":
    main()
