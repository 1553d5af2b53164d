#!/usr/bin/env python3
"""Writes a CycloneDX 1.5 bill of materials (JSON) for one download: the
Windows folder dist/ it was made from (--windows-dist), or a Debian package
(--deb). The output depends on the inputs alone: no clock, no random values.
Python's standard library only. tools/sbom/README.md shows the calls."""

import argparse
import datetime
import hashlib
import json
import os
import posixpath
import re
import stat
import subprocess
import sys
import tempfile
import urllib.parse
import uuid

SCHEMA_URL = "http://cyclonedx.org/schema/bom-1.5.schema.json"
# Fixed, so that the same artifact always gets the same serial number.
SERIAL_NAMESPACE = uuid.uuid5(uuid.NAMESPACE_URL, "urn:qn58-jlink-setup:sbom")
PROP = "qn58:"

GCC_RUNTIME_LICENSE = "GPL-3.0-or-later WITH GCC-exception-3.1"
# Debian's copyright file of mingw-w64 says "expat" for winpthreads.
WINPTHREADS_LICENSE = "MIT"
QTTRANSLATIONS_LICENSE = "GPL-3.0-only WITH Qt-GPL-exception-1.0"
QT_LICENSE = "LGPL-3.0-only"

# The identifiers of the SPDX licence list (licences and exceptions alike) as
# the CycloneDX schema beside this script carries them.
SPDX_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "schema", "spdx.schema.json")

# Where QT-NOTICE.txt ships one licence of a part that Qt's attribution offers
# under a choice of licences: the notice's licence file, the attribution's,
# and the licence taken, which must be one of the choice (the notice says so).
QT_LICENCE_CHOICES = {
    "src/3rdparty/freetype/docs/FTL.TXT": ("src/3rdparty/freetype/LICENSE.txt", "FTL"),
}


class SbomError(Exception):
    pass


def sha256_file(path):
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def serial_number(artifact_sha256):
    return "urn:uuid:" + str(uuid.uuid5(SERIAL_NAMESPACE, "sha256:" + artifact_sha256))


def iso_timestamp(epoch):
    try:
        seconds = int(epoch)
    except (TypeError, ValueError):
        raise SbomError(f"the timestamp must be whole seconds since 1970 (SOURCE_DATE_EPOCH), not {epoch!r}")
    if seconds < 0:
        raise SbomError(f"the timestamp must not be before 1970: {epoch}")
    moment = datetime.datetime.fromtimestamp(seconds, datetime.timezone.utc)
    return moment.strftime("%Y-%m-%dT%H:%M:%SZ")


def upstream_version(debian_version):
    """The upstream part of a Debian version: no epoch, revision or repack suffix."""
    version = re.sub(r"^[0-9]+:", "", debian_version)
    if "-" in version:
        version = version.rsplit("-", 1)[0]
    return re.sub(r"[+~](dfsg|ds|repack)[0-9.]*$", "", version)


def deb_purl(name, version=None):
    # A purl escapes '+' (libstdc++6) but keeps an epoch's colon.
    purl = "pkg:deb/debian/" + urllib.parse.quote(name, safe=".-_~")
    if version:
        purl += "@" + urllib.parse.quote(version, safe=".-_~:")
    return purl


def properties(pairs):
    return [{"name": PROP + name, "value": value} for name, value in sorted(pairs)]


def license_list(expression):
    if expression is None:
        return None
    if expression == "public-domain":
        return [{"license": {"name": "Public Domain"}}]
    return [{"expression": expression}]


def component(kind, name, ref, version=None, licenses=None, **extra):
    entry = {"type": kind, "name": name, "bom-ref": ref}
    if version:
        entry["version"] = version
    if licenses:
        entry["licenses"] = license_list(licenses)
    entry.update({key.replace("_", "-"): value for key, value in extra.items() if value})
    return entry


def file_component(path, digest):
    return {"type": "file", "name": path, "bom-ref": "file:" + path,
            "hashes": [{"alg": "SHA-256", "content": digest}]}


# --- Qt's notice -----------------------------------------------------------

def parse_qt_notice(text):
    """Qt's version, the Debian source it came from, and the third-party parts
    the notice lists (tools/windows/qt.sh writes it)."""
    flat = " ".join(text.split())
    version = re.search(r"Qt toolkit, version ([0-9][^\s,]*)", flat)
    source = re.search(r"Debian's source package (\S+), version ([^\s,]+),? carries it", flat)
    if not version or not source:
        raise SbomError("QT-NOTICE.txt names no Qt version or no Debian source package and version")
    if upstream_version(source.group(2)) != version.group(1):
        raise SbomError(f"QT-NOTICE.txt names Qt {version.group(1)}, but the source package's "
                        f"version {source.group(2)} is of another Qt")
    if "Debian's own patches are not applied" not in flat:
        # Otherwise the purl and properties below would say something untrue.
        raise SbomError("QT-NOTICE.txt does not say that Debian's patches are left out; "
                        "tools/sbom/make-sbom.py describes Qt as built from the upstream source")
    parts = []
    lines = iter(text.splitlines())
    for line in lines:
        if line.startswith("Third-party code in these DLLs"):
            break
    else:
        raise SbomError("QT-NOTICE.txt has no list of third-party code")
    for line in lines:
        row = re.fullmatch(r"\s+(\S+)\.txt\s+(\S+)\s*", line)
        if not row:
            break
        parts.append((row.group(1), row.group(2)))
    if not parts:
        raise SbomError("QT-NOTICE.txt's list of third-party code is empty")
    public = re.search(r"([A-Z0-9][\w-]*(?:(?:,\s*|\s+and\s+)[A-Z0-9][\w-]*)*)"
                       r" \(in [^)]*\) (?:are|is) in the public domain", flat)
    public_names = re.split(r",\s*|\s+and\s+", public.group(1)) if public else []
    return {"version": version.group(1), "source_package": source.group(1),
            "source_version": source.group(2), "parts": parts, "public_domain": public_names}


# --- Qt's attributions -----------------------------------------------------

def spdx_identifiers(path=SPDX_LIST):
    """Each identifier of the SPDX list by its lower-case form."""
    with open(path, encoding="utf-8") as stream:
        return {name.lower(): name for name in json.load(stream)["enum"]}


def spdx_expression(text, identifiers):
    """text as an SPDX licence expression, each identifier written as the list
    writes it, and its alternatives at the top (the expression alone where it
    offers no choice). SbomError says why text is none."""
    tokens = re.findall(r"[()]|[^\s()]+", text)
    position = 0

    def peek():
        return tokens[position] if position < len(tokens) else None

    def take():
        nonlocal position
        token = peek()
        if token is None:
            raise SbomError("it ends too early")
        position += 1
        return token

    def identifier(exception=False):
        token = take()
        if token in ("(", ")", "AND", "OR", "WITH"):
            raise SbomError(f"{token} stands where an identifier belongs")
        if not exception and re.fullmatch(r"(DocumentRef-[A-Za-z0-9.-]+:)?LicenseRef-[A-Za-z0-9.-]+", token):
            return token
        plus = "+" if token.endswith("+") and not exception else ""
        name = identifiers.get(token[:len(token) - len(plus)].lower())
        if name is None:
            raise SbomError(f"{token} is not on the SPDX licence list")
        return name + plus

    def term():
        """A term's text, and the alternatives inside it where it is one
        parenthesised expression."""
        if peek() == "(":
            take()
            inner = alternatives()
            if take() != ")":
                raise SbomError("a parenthesis is not closed")
            return "(" + " OR ".join(text for text, _ in inner) + ")", inner
        licence = identifier()
        if peek() == "WITH":
            take()
            licence += " WITH " + identifier(exception=True)
        return licence, None

    def conjunction():
        text, inner = term()
        while peek() == "AND":
            take()
            text, inner = text + " AND " + term()[0], None
        return text, inner

    def alternatives():
        options = [conjunction()]
        while peek() == "OR":
            take()
            options.append(conjunction())
        return options

    if not tokens:
        raise SbomError("it is empty")
    for token in tokens:
        if token.upper() in ("AND", "OR", "WITH") and token != token.upper():
            raise SbomError(f"the operator {token} is written in capitals: {token.upper()}")
    options = alternatives()
    if peek() is not None:
        raise SbomError(f"{peek()} follows a whole expression")
    while len(options) == 1 and options[0][1] is not None:
        options = options[0][1]
    texts = [text for text, _ in options]
    return " OR ".join(texts), texts


def load_attributions(folder):
    """Every entry of the qt_attribution.json files below folder (a file holds
    one or a list), as (the file's path relative to folder, the entry),
    sorted by path. Qt's own files are not strict JSON: their strings may
    span lines, and a key given twice counts with its last value, as Qt's
    parser has it."""
    if not os.path.isdir(folder):
        raise SbomError(f"{folder} (--qt-attributions) is not a folder")
    entries = []
    for place, subfolders, files in os.walk(folder):
        subfolders.sort()
        if "qt_attribution.json" not in files:
            continue
        path = os.path.join(place, "qt_attribution.json")
        relative = os.path.relpath(path, folder).replace(os.sep, "/")
        with open(path, encoding="utf-8") as stream:
            try:
                data = json.load(stream, strict=False)
            except ValueError as error:
                raise SbomError(f"{relative} in {folder} is not JSON: {error}")
        for entry in data if isinstance(data, list) else [data]:
            if not isinstance(entry, dict) or not attribution_name(entry):
                raise SbomError(f"{relative} in {folder} holds an entry without Id or Name")
            entries.append((relative, entry))
    if not entries:
        raise SbomError(f"{folder} (--qt-attributions) holds no qt_attribution.json")
    return sorted(entries, key=lambda pair: pair[0])


def attribution_text(entry, key):
    value = entry.get(key)
    return value if isinstance(value, str) and value.strip() else None


def attribution_name(entry):
    name = attribution_text(entry, "Id") or attribution_text(entry, "Name")
    return name and name.strip()


def attribution_licence_files(relative, entry):
    """The source paths of an entry's licence files: its file's folder joined
    with LicenseFile and each of LicenseFiles."""
    names = entry.get("LicenseFiles")
    names = list(names) if isinstance(names, list) else []
    if isinstance(entry.get("LicenseFile"), str):
        names.append(entry["LicenseFile"])
    folder = posixpath.dirname(relative)
    return {posixpath.normpath(posixpath.join(folder, name)) for name in names if isinstance(name, str)}


def attribution_component(relative, entry, licence, pairs):
    name = attribution_name(entry)
    links = [{"type": kind, "url": entry[key].strip()}
             for key, kind in (("Homepage", "website"), ("DownloadLocation", "distribution"))
             if re.match(r"https?://\S+$", entry.get(key, "") if isinstance(entry.get(key), str) else "")]
    description = attribution_text(entry, "Description")
    holders = attribution_text(entry, "Copyright")
    version = attribution_text(entry, "Version")
    return component(
        "library", name, "qtbase/" + name, version and " ".join(version.split()), licence,
        description=description and " ".join(description.split()),
        copyright=holders and "\n".join(line.strip() for line in holders.strip().splitlines()),
        externalReferences=links,
        properties=properties(pairs + [("qt:attribution", relative)]))


def attribution_licence(relative, entry, identifiers):
    name = attribution_name(entry)
    value = entry.get("LicenseId")
    if not isinstance(value, str) or not value.strip():
        raise SbomError(f"{relative}: {name} has no LicenseId (an SPDX licence expression); "
                        f"its License says {entry.get('License')!r}")
    try:
        return spdx_expression(value, identifiers)
    except SbomError as error:
        raise SbomError(f"{relative}: {name}'s LicenseId {value!r} is no SPDX licence expression: {error}")


def qt_component(notice, licenses_dir, attributions):
    """Qt with the third-party parts the notice lists, each one component per
    qt_attribution.json entry whose licence file is the one the notice names
    (or, in QT_LICENCE_CHOICES, the one offering it); the notice's
    public-domain code by the entries that have its name as a word of their
    Name ("SHA-1" in "Secure Hash Algorithm SHA-1") and say Public Domain."""
    identifiers = spdx_identifiers()
    parts = []
    for stem, origin in notice["parts"]:
        if not os.path.isfile(os.path.join(licenses_dir, stem + ".txt")):
            raise SbomError(f"QT-NOTICE.txt lists {stem}.txt, but licenses/{stem}.txt is not in the folder")
        found = [(relative, entry) for relative, entry in attributions
                 if origin in attribution_licence_files(relative, entry)]
        chosen = None
        if not found and origin in QT_LICENCE_CHOICES:
            offered, chosen = QT_LICENCE_CHOICES[origin]
            found = [(relative, entry) for relative, entry in attributions
                     if offered in attribution_licence_files(relative, entry)]
        if not found:
            raise SbomError(f"QT-NOTICE.txt lists {stem}.txt ({origin}), but no qt_attribution.json "
                            f"names {origin} as its licence file")
        for relative, entry in found:
            expression, options = attribution_licence(relative, entry, identifiers)
            pairs = [("qt:source-path", origin), ("qt:licence-file", "licenses/" + stem + ".txt")]
            if chosen:
                if chosen not in options:
                    raise SbomError(f"QT-NOTICE.txt ships {origin} as the licence of {stem}, "
                                    f"but {chosen} is not one of {expression} ({relative})")
                pairs.append(("qt:licence-offered", expression))
                expression = chosen
            parts.append(attribution_component(relative, entry, expression, pairs))
    for name in notice["public_domain"]:
        word = r"(?<![\w-])" + re.escape(name) + r"(?![\w-])"
        named = [(relative, entry) for relative, entry in attributions
                 if re.search(word, attribution_text(entry, "Name") or "")]
        if not named:
            raise SbomError(f"QT-NOTICE.txt names {name} as public domain, but no qt_attribution.json "
                            f"has an entry with {name} in its Name")
        public = [(relative, entry) for relative, entry in named
                  if (attribution_text(entry, "License") or "").strip().lower() == "public domain"]
        if not public:
            raise SbomError(f"QT-NOTICE.txt names {name} as public domain, but "
                            + ", ".join(relative for relative, _ in named) + " gives it another licence")
        parts += [attribution_component(relative, entry, "public-domain", []) for relative, entry in public]
    refs = [part["bom-ref"] for part in parts]
    twice = sorted({ref for ref in refs if refs.count(ref) > 1})
    if twice:
        raise SbomError("QT-NOTICE.txt lists a third-party part twice: " + ", ".join(twice))
    version = notice["version"]
    return component(
        "library", "qtbase", "qtbase", version, QT_LICENSE,
        supplier={"name": "The Qt Company Ltd."},
        description="Qt toolkit (Core, Gui, Widgets, Xml, platform and image format plugins), "
                    "built from the upstream source as Debian's source package carries it",
        purl=f"pkg:generic/qt/qtbase-everywhere-src@{version}",
        cpe=f"cpe:2.3:a:qt:qt:{version}:*:*:*:*:*:*:*",
        properties=properties([("debian:source-package", notice["source_package"]),
                               ("debian:source-version", notice["source_version"]),
                               ("debian:patches", "not applied")]),
        components=parts)


# --- Windows ---------------------------------------------------------------

def windows_rules(name):
    """Which component each file of dist/ belongs to, first match wins; '*'
    stays within one folder."""
    return [
        (name + ".exe", "installer"),
        (name + "-cli.exe", "installer"),
        ("licenses/*", "installer"),
        ("Qt5*.dll", "qtbase"),
        ("platforms/q*.dll", "qtbase"),
        ("imageformats/q*.dll", "qtbase"),
        ("styles/q*.dll", "qtbase"),
        ("libstdc++-6.dll", "libstdc++"),
        ("libgcc_s_*.dll", "libgcc"),
        ("libwinpthread-1.dll", "winpthreads"),
        ("translations/qt*_*.qm", "qttranslations"),
    ]


def rule_matches(pattern, path):
    expression = "".join("[^/]*" if char == "*" else re.escape(char) for char in pattern)
    return re.fullmatch(expression, path) is not None


def dist_files(dist, leave_out=None):
    """Every file below dist/ but leave_out, as a relative path with '/',
    sorted. Links and other special files are refused: the downloads take
    regular files."""
    found = []
    for folder, subfolders, files in os.walk(dist):
        for entry in subfolders + files:
            path = os.path.join(folder, entry)
            mode = os.lstat(path).st_mode
            relative = os.path.relpath(path, dist).replace(os.sep, "/")
            if stat.S_ISLNK(mode) or not (stat.S_ISDIR(mode) or stat.S_ISREG(mode)):
                raise SbomError(f"{relative} in {dist} is not a regular file or folder")
            if stat.S_ISREG(mode) and path != leave_out:
                found.append(relative)
    if not found:
        raise SbomError(f"{dist} holds no files")
    return sorted(found)


def debian_library(name, description, licence, package, version):
    """A part the build took from a Debian package of that version."""
    return component("library", name, name, upstream_version(version), licence,
                     description=description, purl=deb_purl(package, version),
                     properties=properties([("debian:version", version)]))


def windows_components(args, installer):
    dist = args.windows_dist
    if not os.path.isdir(dist):
        raise SbomError(f"{dist} is not a folder")
    notice_path = args.qt_notice or os.path.join(dist, "licenses", "QT-NOTICE.txt")
    with open(notice_path, encoding="utf-8") as stream:
        notice = parse_qt_notice(stream.read())
    gcc = args.gcc_runtime_version
    mingw = args.mingw_w64_version
    translations = args.qttranslations_version
    tops = {
        "qtbase": qt_component(notice, os.path.join(dist, "licenses"),
                               load_attributions(args.qt_attributions)),
        "libstdc++": debian_library("libstdc++", "GNU C++ library of GCC (MinGW-w64, posix threads)",
                                    GCC_RUNTIME_LICENSE, "gcc-mingw-w64-x86-64-posix-runtime", gcc),
        "libgcc": debian_library("libgcc", "GCC's runtime library (MinGW-w64, SEH exceptions)",
                                 GCC_RUNTIME_LICENSE, "gcc-mingw-w64-x86-64-posix-runtime", gcc),
        "winpthreads": debian_library("winpthreads", "POSIX threads of MinGW-w64",
                                      WINPTHREADS_LICENSE, "mingw-w64-x86-64-dev", mingw),
        "qttranslations": debian_library("qttranslations", "Qt's translations of its own dialogs",
                                         QTTRANSLATIONS_LICENSE, "qttranslations5-l10n", translations),
    }
    owners = {key: [] for key in list(tops) + ["installer"]}
    rules = windows_rules(args.name)
    unmapped = []
    # A bill written into dist/ lists everything beside it.
    for path in dist_files(dist, os.path.abspath(args.output) if args.output else None):
        owner = next((key for pattern, key in rules if rule_matches(pattern, path)), None)
        if owner is None:
            unmapped.append(path)
            continue
        owners[owner].append(file_component(path, sha256_file(os.path.join(dist, path))))
    if unmapped:
        raise SbomError("no component for these files of " + dist + ": " + ", ".join(unmapped)
                        + " (add a rule to windows_rules in tools/sbom/make-sbom.py)")
    for key, entry in tops.items():
        if not owners[key]:
            raise SbomError(f"{dist} holds no file of {entry['name']}")
        entry["components"] = owners[key] + entry.get("components", [])
    installer["components"] = owners["installer"]
    dependencies = [
        {"ref": installer["bom-ref"], "dependsOn": sorted(entry["bom-ref"] for entry in tops.values())},
        {"ref": "qtbase", "dependsOn": ["libgcc", "libstdc++", "winpthreads"]},
        {"ref": "libstdc++", "dependsOn": ["libgcc", "winpthreads"]},
    ]
    return list(tops.values()), dependencies


# --- Debian package --------------------------------------------------------

RELATION = re.compile(r"([a-z0-9][a-z0-9+.-]+)(?::([a-z0-9-]+))?"
                      r"\s*(?:\(\s*(<<|<=|=|>=|>>)\s*([^\s()]+)\s*\))?")


def parse_relations(field):
    """A Depends-style field: a list of groups, each a list of alternatives
    (name, architecture qualifier, constraint)."""
    groups = []
    if not field.strip():
        return groups
    for item in field.split(","):
        alternatives = []
        for alternative in item.split("|"):
            match = RELATION.fullmatch(alternative.strip())
            if not match:
                raise SbomError(f"cannot read the package relation {alternative.strip()!r}")
            name, qualifier, operator, version = match.groups()
            alternatives.append((name, qualifier, f"{operator} {version}" if operator else None))
        groups.append(alternatives)
    return groups


def read_control(deb):
    try:
        result = subprocess.run(["dpkg-deb", "--field", deb], check=True, capture_output=True, text=True)
    except FileNotFoundError:
        raise SbomError("dpkg-deb is missing (Debian: dpkg)")
    except subprocess.CalledProcessError as error:
        raise SbomError(f"dpkg-deb cannot read {deb}: {error.stderr.strip()}")
    fields = {}
    name = None
    for line in result.stdout.splitlines():
        if line[:1] in (" ", "\t") and name:
            fields[name] += " " + line.strip()
        elif ":" in line:
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return fields


def deb_components(args, installer):
    control = read_control(args.deb)
    if upstream_version(control.get("Version", "")) != args.version:
        raise SbomError(f"{args.deb} is version {control.get('Version')}, not {args.version}")
    installer.setdefault("properties", []).extend(properties([
        ("deb:package", control.get("Package", "")),
        ("deb:version", control.get("Version", "")),
        ("deb:architecture", control.get("Architecture", ""))]))
    installer["properties"].sort(key=lambda entry: (entry["name"], entry["value"]))
    packages = {}
    for relation in ("Depends", "Recommends"):
        for group in parse_relations(control.get(relation, "")):
            text = " | ".join(name + (f":{qual}" if qual else "") + (f" ({constraint})" if constraint else "")
                              for name, qual, constraint in group)
            for position, (name, qualifier, constraint) in enumerate(group):
                entry = packages.setdefault(name, {"relations": set(), "constraints": [],
                                                   "alternatives": [], "qualifiers": set(),
                                                   "required": False})
                entry["relations"].add(relation)
                if constraint and constraint not in entry["constraints"]:
                    entry["constraints"].append(constraint)
                if len(group) > 1:
                    entry["alternatives"].append(text)
                if qualifier:
                    entry["qualifiers"].add(qualifier)
                # apt takes the first of alternatives; the rest may stay away.
                if relation == "Depends" and position == 0:
                    entry["required"] = True
    components = []
    for name, entry in sorted(packages.items()):
        pairs = [("deb:relation", ", ".join(sorted(entry["relations"])))]
        if entry["constraints"]:
            pairs.append(("deb:constraint", ", ".join(entry["constraints"])))
        pairs += [("deb:alternatives", text) for text in entry["alternatives"]]
        pairs += [("deb:architecture-qualifier", qual) for qual in sorted(entry["qualifiers"])]
        components.append(component("library", name, deb_purl(name), purl=deb_purl(name),
                                    scope="required" if entry["required"] else "optional",
                                    properties=properties(pairs)))
    dependencies = [{"ref": installer["bom-ref"],
                     "dependsOn": [entry["bom-ref"] for entry in components]}]
    return components, dependencies


# --- The document ----------------------------------------------------------

def make_bom(args):
    if not re.fullmatch(r"[0-9a-f]{7,64}", args.commit or ""):
        raise SbomError(f"--commit must be a git commit id in lower-case hex, not {args.commit!r}")
    if not args.version:
        raise SbomError("--version is empty")
    epoch = args.timestamp if args.timestamp is not None else os.environ.get("SOURCE_DATE_EPOCH")
    if epoch is None:
        raise SbomError("give --timestamp or SOURCE_DATE_EPOCH: the current time would make every run differ")
    timestamp = iso_timestamp(epoch)
    facts = [("git:commit", args.commit)]
    hashes = None
    if args.artifact:
        hashes = [{"alg": "SHA-256", "content": sha256_file(args.artifact)}]
        facts.append(("artifact", os.path.basename(args.artifact)))
    installer = component("application", args.name, args.name, args.version,
                          supplier={"name": args.supplier}, hashes=hashes,
                          properties=properties(facts))
    if args.windows_dist:
        components, dependencies = windows_components(args, installer)
    else:
        components, dependencies = deb_components(args, installer)
    components.sort(key=lambda entry: entry["bom-ref"])
    for entry in [installer] + components:
        if "components" in entry:
            entry["components"].sort(key=lambda child: child["bom-ref"])
    dependencies.sort(key=lambda entry: entry["ref"])
    # Without the download (a bill inside it), the serial number comes from what it lists.
    identity = hashes[0]["content"] if hashes else hashlib.sha256(
        json.dumps([installer, components], sort_keys=True).encode()).hexdigest()
    return {
        "$schema": SCHEMA_URL,
        "bomFormat": "CycloneDX",
        "specVersion": "1.5",
        "serialNumber": serial_number(identity),
        "version": 1,
        "metadata": {
            "timestamp": timestamp,
            "tools": {"components": [{"type": "application", "name": "make-sbom.py",
                                      "group": args.name, "version": args.version}]},
            "component": installer,
        },
        "components": components,
        "dependencies": dependencies,
    }


def write_output(path, text):
    """Writes through a new file of our own, renamed over the name: a link
    in its place is replaced, never followed."""
    folder = os.path.dirname(os.path.abspath(path))
    descriptor, temporary = tempfile.mkstemp(dir=folder, prefix=".sbom-", suffix=".tmp")
    try:
        umask = os.umask(0)
        os.umask(umask)
        os.fchmod(descriptor, 0o666 & ~umask)
        with os.fdopen(descriptor, "w", encoding="utf-8") as stream:
            stream.write(text)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--artifact", help="the download the bill describes; without it, the "
                                           "bill of the download's contents, to put inside it")
    parser.add_argument("--output", help="where to write it (default: <artifact>.cdx.json)")
    parser.add_argument("--name", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--commit", required=True, help="the git commit it was built from")
    parser.add_argument("--supplier", default="Kestrilon")
    parser.add_argument("--timestamp", help="seconds since 1970, UTC (default: SOURCE_DATE_EPOCH)")
    kind = parser.add_mutually_exclusive_group(required=True)
    kind.add_argument("--windows-dist", help="the folder dist/ the Windows download was made from")
    kind.add_argument("--deb", help="the Debian package (the same file as --artifact)")
    parser.add_argument("--qt-notice", help="default: <dist>/licenses/QT-NOTICE.txt")
    parser.add_argument("--qt-attributions",
                        help="the folder attributions/ of the Qt build (tools/windows/qt.sh): "
                             "Qt's qt_attribution.json files at their paths in its source")
    parser.add_argument("--gcc-runtime-version",
                        help="Debian version of gcc-mingw-w64-x86-64-posix-runtime")
    parser.add_argument("--mingw-w64-version", help="Debian version of mingw-w64-x86-64-dev")
    parser.add_argument("--qttranslations-version", help="Debian version of qttranslations5-l10n")
    args = parser.parse_args(argv)
    if not args.artifact and not args.output:
        parser.error("without --artifact, give --output")
    if args.windows_dist:
        missing = [option for option, value in (("--qt-attributions", args.qt_attributions),
                                                ("--gcc-runtime-version", args.gcc_runtime_version),
                                                ("--mingw-w64-version", args.mingw_w64_version),
                                                ("--qttranslations-version", args.qttranslations_version))
                   if not value]
        if missing:
            parser.error("--windows-dist needs " + ", ".join(missing))
    return args


def main(argv=None):
    args = parse_arguments(argv)
    try:
        bom = make_bom(args)
        output = args.output or args.artifact + ".cdx.json"
        write_output(output, json.dumps(bom, indent=2, sort_keys=True, ensure_ascii=False) + "\n")
    except (SbomError, OSError) as error:
        print(f"make-sbom.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
