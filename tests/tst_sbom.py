#!/usr/bin/python3
"""tools/sbom/make-sbom.py on a made-up Windows dist/ folder, QT-NOTICE.txt,
Qt attribution files and Debian package in a temporary folder, each bill
checked by tests/checksbom.py; and the checker's own catches. Needs no build:
Debian's python3 with python3-jsonschema, and dpkg-deb."""

import contextlib
import copy
import importlib.util
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "..", "tools", "sbom", "make-sbom.py")
sys.path.insert(0, HERE)
import checksbom  # noqa: E402

generator_module = importlib.util.spec_from_file_location("make_sbom", GENERATOR)
make_sbom = importlib.util.module_from_spec(generator_module)
generator_module.loader.exec_module(make_sbom)

COMMIT = "0123456789abcdef0123456789abcdef01234567"
EPOCH = "1700000000"

NOTICE = textwrap.dedent("""\
    Qt in this folder
    =================

    The programs use the Qt toolkit, version 5.15.8, under the GNU Lesser
    General Public License version 3 (LICENSE.LGPL3).

    Qt5Core.dll and platforms/qwindows.dll were built, unchanged, from the upstream source
    qtbase-everywhere-src-5.15.8 as Debian's source package
    qtbase-opensource-src, version 5.15.8+dfsg-11+deb12u3, carries it
    (qtbase-opensource-src_5.15.8+dfsg.orig.tar.xz; Debian's
    own patches are not applied).

    Third-party code in these DLLs, with its licence in this folder:
        zlib.txt             src/3rdparty/zlib/LICENSE
        double-conversion.txt src/3rdparty/double-conversion/LICENSE
        unicode.txt          src/corelib/text/UNICODE_LICENSE.txt
        freetype.txt         src/3rdparty/freetype/docs/FTL.TXT
    MD4, MD5 and SHA-1 (in Qt5Core.dll) are in the public domain. FreeType is used
    under the FreeType License (freetype.txt), of its choice of licences.
    """)

# Qt's qt_attribution.json files as tools/windows/qt.sh copies them, made up
# in their forms: one entry or a list, a string over lines, a key twice (the
# last counts), parts the notice does not list.
ATTRIBUTIONS = {
    "src/3rdparty/zlib/qt_attribution.json": """{"Id": "zlib", "Name": "zlib", "Version": "1.2.11",
        "Homepage": "http://zlib.net/", "License": "zlib License", "LicenseId": "Zlib",
        "LicenseFile": "LICENSE", "Copyright": "(C) 1995-2017 Jean-loup Gailly and Mark Adler"}""",
    "src/3rdparty/double-conversion/qt_attribution.json": """{"Id": "double-conversion",
        "Version": "see the commit", "Version": "3.1.5", "DownloadLocation": "https://example.org/dc.tgz",
        "LicenseId": "BSD-3-Clause", "LicenseFile": "LICENSE"}""",
    "src/corelib/text/qt_attribution.json": """[
        {"Id": "unicode-character-database", "Description": "Character properties
 and mappings.", "Version": "26", "LicenseId": "Unicode-DFS-2016", "LicenseFile": "UNICODE_LICENSE.txt"},
        {"Id": "unicode-cldr", "Version": "v39", "LicenseId": "Unicode-DFS-2016",
         "LicenseFiles": ["UNICODE_LICENSE.txt"]}]""",
    "src/3rdparty/freetype/qt_attribution.json": """[
        {"Id": "freetype", "Version": "2.10.4", "LicenseId": "FTL OR GPL-2.0-only", "LicenseFile": "LICENSE.txt"},
        {"Id": "freetype-bdf", "LicenseId": "MIT", "LicenseFile": "BDF-LICENSE.txt"}]""",
    "src/3rdparty/md4/qt_attribution.json": """{"Id": "md4", "Name": "MD4", "License": "Public Domain"}""",
    "src/3rdparty/md4c/qt_attribution.json": """{"Id": "md4c", "Name": "MD4C", "LicenseId": "MIT",
        "LicenseFile": "LICENSE.md"}""",
    "src/3rdparty/md5/qt_attribution.json": """{"Id": "md5", "Name": "MD5", "License": "Public Domain"}""",
    "src/3rdparty/sha1/qt_attribution.json": """{"Id": "sha1", "Name": "Secure Hash Algorithm SHA-1",
        "License": "Public Domain", "Homepage": "not known"}""",
}

DIST_FILES = {
    "qn58-jlink-setup.exe": b"window",
    "qn58-jlink-setup-cli.exe": b"console",
    "Qt5Core.dll": b"core",
    "platforms/qwindows.dll": b"platform",
    "imageformats/qico.dll": b"ico",
    "libstdc++-6.dll": b"c++",
    "libgcc_s_seh-1.dll": b"gcc",
    "libwinpthread-1.dll": b"threads",
    "translations/qtbase_de.qm": b"de",
    "translations/qtbase_zh_CN.qm": b"zh",
    "licenses/QT-NOTICE.txt": NOTICE.encode(),
    "licenses/zlib.txt": b"zlib licence",
    "licenses/double-conversion.txt": b"BSD",
    "licenses/unicode.txt": b"Unicode",
    "licenses/freetype.txt": b"FTL",
    "licenses/README.txt": b"which file covers which DLL",
}


def write(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as stream:
        stream.write(content if isinstance(content, bytes) else content.encode())


def run_generator(*arguments):
    """The script's exit status, its message and the bill it wrote."""
    stderr = io.StringIO()
    with contextlib.redirect_stderr(stderr):
        status = make_sbom.main(list(arguments))
    return status, stderr.getvalue()


class Workspace(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.root = self.folder.name
        self.dist = os.path.join(self.root, "dist")
        for path, content in DIST_FILES.items():
            write(os.path.join(self.dist, path), content)
        self.artifact = os.path.join(self.root, "qn58-jlink-setup-2.0.17-windows-x64.zip")
        write(self.artifact, b"the zip")
        self.attributions = os.path.join(self.root, "attributions")
        for path, content in ATTRIBUTIONS.items():
            write(os.path.join(self.attributions, path), content)

    def windows(self, *extra, artifact=None, output=None, timestamp=EPOCH, commit=COMMIT):
        """artifact=False: the bill of the contents, without the download."""
        arguments = [] if artifact is False else ["--artifact", artifact or self.artifact]
        arguments += ["--name", "qn58-jlink-setup", "--version", "2.0.17", "--commit", commit,
                      "--windows-dist", self.dist, "--qt-attributions", self.attributions,
                      "--gcc-runtime-version", "12.2.0-14+deb12u1+25.2+b1",
                      "--mingw-w64-version", "10.0.0-3", "--qttranslations-version", "5.15.8-2"]
        if timestamp is not None:
            arguments += ["--timestamp", timestamp]
        if output:
            arguments += ["--output", output]
        return run_generator(*arguments, *extra)

    def load(self, path=None):
        with open(path or self.artifact + ".cdx.json", encoding="utf-8") as stream:
            return json.load(stream)

    def make_deb(self, depends, recommends="qttranslations5-l10n", version="2.0.17"):
        package = os.path.join(self.root, "package")
        fields = {"Package": "qn58-jlink-setup", "Version": version, "Architecture": "amd64",
                  "Maintainer": "QN58 maintainers <maintainers@kestrilon.example>",
                  "Description": "test package", "Depends": depends, "Recommends": recommends}
        write(os.path.join(package, "DEBIAN", "control"),
              "".join(f"{name}: {value}\n" for name, value in fields.items() if value))
        write(os.path.join(package, "usr", "bin", "qn58-jlink-setup"), b"program")
        deb = os.path.join(self.root, f"qn58-jlink-setup_{version}_amd64.deb")
        subprocess.run(["dpkg-deb", "--nocheck", "--root-owner-group", "-Zxz", "--build", package, deb],
                       check=True, capture_output=True)
        return deb

    def deb(self, deb, version="2.0.17"):
        return run_generator("--artifact", deb, "--deb", deb, "--name", "qn58-jlink-setup",
                             "--version", version, "--commit", COMMIT, "--timestamp", EPOCH)


def components_by_name(bom):
    return {entry["name"]: entry for entry in checksbom.all_components(bom)}


def property_values(entry, name):
    return [p["value"] for p in entry.get("properties", []) if p["name"] == "qn58:" + name]


class WindowsBill(Workspace):
    def test_valid_and_lists_every_file(self):
        status, message = self.windows()
        self.assertEqual((status, message), (0, ""))
        bom = self.load()
        self.assertEqual(checksbom.check(bom, self.dist, self.artifact), [])
        self.assertEqual(bom["metadata"]["timestamp"], "2023-11-14T22:13:20Z")
        self.assertRegex(bom["serialNumber"], r"^urn:uuid:[0-9a-f]{8}-[0-9a-f]{4}-5[0-9a-f]{3}-")

    def test_components(self):
        self.windows()
        found = components_by_name(self.load())
        cases = [
            # name, version, licence expression, purl, files it holds
            ("qtbase", "5.15.8", "LGPL-3.0-only", "pkg:generic/qt/qtbase-everywhere-src@5.15.8",
             {"Qt5Core.dll", "platforms/qwindows.dll", "imageformats/qico.dll"}),
            ("libstdc++", "12.2.0", "GPL-3.0-or-later WITH GCC-exception-3.1",
             "pkg:deb/debian/gcc-mingw-w64-x86-64-posix-runtime@12.2.0-14%2Bdeb12u1%2B25.2%2Bb1",
             {"libstdc++-6.dll"}),
            ("libgcc", "12.2.0", "GPL-3.0-or-later WITH GCC-exception-3.1",
             "pkg:deb/debian/gcc-mingw-w64-x86-64-posix-runtime@12.2.0-14%2Bdeb12u1%2B25.2%2Bb1",
             {"libgcc_s_seh-1.dll"}),
            ("winpthreads", "10.0.0", "MIT", "pkg:deb/debian/mingw-w64-x86-64-dev@10.0.0-3",
             {"libwinpthread-1.dll"}),
            ("qttranslations", "5.15.8", "GPL-3.0-only WITH Qt-GPL-exception-1.0",
             "pkg:deb/debian/qttranslations5-l10n@5.15.8-2",
             {"translations/qtbase_de.qm", "translations/qtbase_zh_CN.qm"}),
            ("zlib", "1.2.11", "Zlib", None, set()),
            ("double-conversion", "3.1.5", "BSD-3-Clause", None, set()),
            ("unicode-character-database", "26", "Unicode-DFS-2016", None, set()),
            ("unicode-cldr", "v39", "Unicode-DFS-2016", None, set()),
            ("freetype", "2.10.4", "FTL", None, set()),
        ]
        for name, version, licence, purl, files in cases:
            with self.subTest(name=name):
                entry = found[name]
                self.assertEqual(entry["type"], "library")
                self.assertEqual(entry.get("version"), version)
                self.assertEqual(entry["licenses"], [{"expression": licence}])
                self.assertEqual(entry.get("purl"), purl)
                held = {child["name"] for child in entry.get("components", []) if child["type"] == "file"}
                self.assertEqual(held, files)
        for name in ("md4", "md5", "sha1"):
            with self.subTest(name=name):
                self.assertEqual(found[name]["licenses"], [{"license": {"name": "Public Domain"}}])
        qt = found["qtbase"]
        self.assertEqual(property_values(qt, "debian:source-version"), ["5.15.8+dfsg-11+deb12u3"])
        self.assertEqual(len(qt["components"]), 3 + 5 + 3)

    def test_qt_parts_from_attributions(self):
        self.windows()
        qt = components_by_name(self.load())["qtbase"]
        parts = {entry["name"]: entry for entry in qt["components"] if entry["type"] == "library"}
        self.assertEqual(sorted(parts), ["double-conversion", "freetype", "md4", "md5", "sha1",
                                         "unicode-character-database", "unicode-cldr", "zlib"])
        cases = [
            # name, its attribution file's folder, the notice's source path, links, the licence offered
            ("zlib", "src/3rdparty/zlib", "src/3rdparty/zlib/LICENSE", [("website", "http://zlib.net/")], None),
            ("double-conversion", "src/3rdparty/double-conversion", "src/3rdparty/double-conversion/LICENSE",
             [("distribution", "https://example.org/dc.tgz")], None),
            ("unicode-cldr", "src/corelib/text", "src/corelib/text/UNICODE_LICENSE.txt", [], None),
            ("freetype", "src/3rdparty/freetype", "src/3rdparty/freetype/docs/FTL.TXT", [], "FTL OR GPL-2.0-only"),
            ("sha1", "src/3rdparty/sha1", None, [], None),
        ]
        for name, folder, origin, links, offered in cases:
            with self.subTest(name=name):
                entry = parts[name]
                self.assertEqual(property_values(entry, "qt:attribution"), [folder + "/qt_attribution.json"])
                self.assertEqual(property_values(entry, "qt:source-path"), [origin] if origin else [])
                self.assertEqual([(link["type"], link["url"]) for link in entry.get("externalReferences", [])],
                                 links)
                self.assertEqual(property_values(entry, "qt:licence-offered"), [offered] if offered else [])
        self.assertEqual(parts["unicode-character-database"]["description"], "Character properties and mappings.")
        self.assertEqual(parts["zlib"]["copyright"], "(C) 1995-2017 Jean-loup Gailly and Mark Adler")

    def test_installer_is_the_metadata_component(self):
        self.windows()
        bom = self.load()
        installer = bom["metadata"]["component"]
        self.assertEqual((installer["type"], installer["name"], installer["version"]),
                         ("application", "qn58-jlink-setup", "2.0.17"))
        self.assertEqual(property_values(installer, "git:commit"), [COMMIT])
        self.assertEqual(property_values(installer, "artifact"), [os.path.basename(self.artifact)])
        self.assertEqual({child["name"] for child in installer["components"]},
                         {"qn58-jlink-setup.exe", "qn58-jlink-setup-cli.exe"}
                         | {path for path in DIST_FILES if path.startswith("licenses/")})
        self.assertNotIn(installer["name"], [entry["name"] for entry in bom["components"]])

    def test_same_inputs_same_bytes(self):
        first = os.path.join(self.root, "first.json")
        second = os.path.join(self.root, "second.json")
        self.windows(output=first)
        self.windows(output=second)
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertEqual(a.read(), b.read())
        bom = self.load(first)
        for entry in [{"components": bom["components"]}] + list(checksbom.all_components(bom)):
            refs = [child["bom-ref"] for child in entry.get("components", [])]
            self.assertEqual(refs, sorted(refs))
        other = os.path.join(self.root, "other.zip")
        write(other, b"another zip")
        self.windows(artifact=other)
        self.assertNotEqual(self.load(first)["serialNumber"], self.load(other + ".cdx.json")["serialNumber"])

    def test_bill_inside_dist(self):
        """Without the download: no hash of it, and every file but the bill itself."""
        inside = os.path.join(self.dist, "licenses", "qn58-jlink-setup.cdx.json")
        status, message = self.windows(artifact=False, output=inside)
        self.assertEqual((status, message), (0, ""))
        bom = self.load(inside)
        self.assertNotIn("hashes", bom["metadata"]["component"])
        self.assertNotIn("licenses/qn58-jlink-setup.cdx.json", checksbom.file_hashes(bom))
        self.assertEqual(checksbom.check(bom, self.dist, bill_path=inside), [])
        # Beside the download, the bill lists the one inside.
        self.windows()
        self.assertEqual(checksbom.check(self.load(), self.dist, self.artifact), [])

    def test_timestamp_from_source_date_epoch(self):
        cases = [
            # SOURCE_DATE_EPOCH, --timestamp, expected status, expected timestamp
            ("1700000000", None, 0, "2023-11-14T22:13:20Z"),
            ("1700000000", "0", 0, "1970-01-01T00:00:00Z"),
            (None, None, 1, None),
            (None, "yesterday", 1, None),
            (None, "-5", 1, None),
        ]
        for environment, option, status, expected in cases:
            with self.subTest(environment=environment, option=option):
                saved = os.environ.pop("SOURCE_DATE_EPOCH", None)
                if environment is not None:
                    os.environ["SOURCE_DATE_EPOCH"] = environment
                try:
                    output = os.path.join(self.root, "stamp.json")
                    if os.path.exists(output):
                        os.unlink(output)
                    got, _ = self.windows(timestamp=option, output=output)
                finally:
                    os.environ.pop("SOURCE_DATE_EPOCH", None)
                    if saved is not None:
                        os.environ["SOURCE_DATE_EPOCH"] = saved
                self.assertEqual(got, status)
                if expected:
                    self.assertEqual(self.load(output)["metadata"]["timestamp"], expected)
                else:
                    self.assertFalse(os.path.exists(output))

    def test_refusals(self):
        def add(path, content=b"x"):
            return lambda: write(os.path.join(self.dist, path), content)

        def notice(old, new):
            def edit():
                path = os.path.join(self.dist, "licenses", "QT-NOTICE.txt")
                with open(path, encoding="utf-8") as stream:
                    text = stream.read()
                self.assertIn(old, text)
                write(path, text.replace(old, new))
            return edit

        def remove(path):
            return lambda: os.unlink(os.path.join(self.dist, path))

        def link(path, target):
            return lambda: os.symlink(target, os.path.join(self.dist, path))

        def attribution(path, old, new):
            def edit():
                with open(os.path.join(self.attributions, path), encoding="utf-8") as stream:
                    text = stream.read()
                self.assertIn(old, text)
                write(os.path.join(self.attributions, path), text.replace(old, new))
            return edit

        zlib = "src/3rdparty/zlib/qt_attribution.json"
        freetype = "src/3rdparty/freetype/qt_attribution.json"

        cases = [
            # what is wrong, the change, a piece of the message
            ("a DLL nobody knows", add("extra.dll"), "extra.dll"),
            ("the programs' own translations", add("translations/qn58_de.qm"), "qn58_de.qm"),
            ("a plugin in an unknown folder", add("styles2/qfoo.dll"), "styles2/qfoo.dll"),
            ("a file in a subfolder of licenses", add("licenses/more/x.txt"), "licenses/more/x.txt"),
            ("a link", link("Qt5Gui.dll", "Qt5Core.dll"), "Qt5Gui.dll"),
            ("no runtime DLL of GCC", remove("libgcc_s_seh-1.dll"), "no file of libgcc"),
            ("an unknown part in the notice",
             notice("    freetype.txt ", "    newlib.txt           src/3rdparty/newlib/LICENSE\n    freetype.txt "),
             "newlib.txt"),
            ("a part's licence text missing", remove("licenses/zlib.txt"), "licenses/zlib.txt"),
            ("no Qt version", notice("version 5.15.8, under", "under"), "no Qt version"),
            ("two Qt versions", notice("version 5.15.8, under", "version 5.15.9, under"), "5.15.9"),
            ("Debian's patches applied", notice("Debian's\nown patches are not applied", "patched"),
             "patches"),
            ("no list of parts", notice("Third-party code in these DLLs", "Code"), "third-party"),
            ("an unknown public-domain part", notice("MD4, MD5 and SHA-1", "MD4, MD5, SHA-1 and RIPEMD"),
             "RIPEMD"),
            ("a part without attribution", lambda: os.unlink(os.path.join(self.attributions, zlib)),
             "zlib.txt (src/3rdparty/zlib/LICENSE), but no qt_attribution.json"),
            ("a part without LicenseId", attribution(zlib, '"LicenseId": "Zlib",', ""), "zlib has no LicenseId"),
            ("a licence's name, not its SPDX id", attribution(zlib, '"Zlib"', '"zlib License"'),
             zlib + ": zlib's LicenseId 'zlib License' is no SPDX licence expression"),
            ("an SPDX operator in small letters", attribution(freetype, "FTL OR", "FTL or"), "capitals"),
            ("a list's second entry without SPDX id",
             attribution("src/corelib/text/qt_attribution.json", '"v39", "LicenseId": "Unicode-DFS-2016"',
                         '"v39", "LicenseId": "Unicode"'), "unicode-cldr's LicenseId 'Unicode'"),
            ("a choice without the notice's licence", attribution(freetype, '"FTL OR GPL-2.0-only"', '"MIT"'),
             "FTL is not one of MIT"),
            ("an attribution that is no JSON", attribution(zlib, '"zlib",', "zlib,"), zlib + " in"),
            ("a public-domain part without attribution",
             attribution("src/3rdparty/sha1/qt_attribution.json", "SHA-1", "SHA-2"), "SHA-1 as public domain"),
            ("a public-domain part under a licence",
             attribution("src/3rdparty/md5/qt_attribution.json", '"Public Domain"', '"MIT License"'),
             "src/3rdparty/md5/qt_attribution.json gives it another licence"),
            ("no attributions", lambda: shutil.rmtree(self.attributions), "is not a folder"),
        ]
        for what, change, message in cases:
            with self.subTest(what):
                self.setUp()
                change()
                status, printed = self.windows()
                self.assertEqual(status, 1)
                self.assertIn(message, printed)
                self.assertFalse(os.path.exists(self.artifact + ".cdx.json"))

    def test_argument_refusals(self):
        cases = [
            ("a commit that is no commit id", {"commit": "main"}, "--commit"),
            ("an upper-case commit id", {"commit": COMMIT.upper()}, "--commit"),
        ]
        for what, change, message in cases:
            with self.subTest(what):
                status, printed = self.windows(**change)
                self.assertEqual(status, 1)
                self.assertIn(message, printed)
        with contextlib.redirect_stderr(io.StringIO()) as printed, self.assertRaises(SystemExit):
            make_sbom.main(["--artifact", self.artifact, "--name", "n", "--version", "1",
                            "--commit", COMMIT, "--windows-dist", self.dist])
        self.assertIn("--gcc-runtime-version", printed.getvalue())
        self.assertIn("--qt-attributions", printed.getvalue())

    def test_output_link_is_replaced_not_followed(self):
        victim = os.path.join(self.root, "victim")
        write(victim, b"keep me")
        output = self.artifact + ".cdx.json"
        os.symlink(victim, output)
        self.assertEqual(self.windows()[0], 0)
        with open(victim, "rb") as stream:
            self.assertEqual(stream.read(), b"keep me")
        self.assertFalse(os.path.islink(output))
        self.assertEqual(self.load()["bomFormat"], "CycloneDX")
        self.assertEqual([name for name in os.listdir(self.root) if name.endswith(".tmp")], [])


class DebianBill(Workspace):
    def test_dependencies(self):
        deb = self.make_deb("libc6 (>= 2.34), libqt5core5a (>= 5.15.1), "
                            "libqt5gui5 (>= 5.14.1) | libqt5gui5-gles (>= 5.14.1), "
                            "libstdc++6 (>= 5), libc6 (<< 3), python3:any")
        status, message = self.deb(deb)
        self.assertEqual((status, message), (0, ""))
        bom = self.load(deb + ".cdx.json")
        self.assertEqual(checksbom.check(bom, artifact=deb), [])
        found = {entry["name"]: entry for entry in bom["components"]}
        cases = [
            # name, scope, relation, constraint, alternatives
            ("libc6", "required", "Depends", ">= 2.34, << 3", []),
            ("libqt5core5a", "required", "Depends", ">= 5.15.1", []),
            ("libqt5gui5", "required", "Depends", ">= 5.14.1",
             ["libqt5gui5 (>= 5.14.1) | libqt5gui5-gles (>= 5.14.1)"]),
            ("libqt5gui5-gles", "optional", "Depends", ">= 5.14.1",
             ["libqt5gui5 (>= 5.14.1) | libqt5gui5-gles (>= 5.14.1)"]),
            ("libstdc++6", "required", "Depends", ">= 5", []),
            ("python3", "required", "Depends", None, []),
            ("qttranslations5-l10n", "optional", "Recommends", None, []),
        ]
        self.assertEqual(sorted(found), sorted(case[0] for case in cases))
        for name, scope, relation, constraint, alternatives in cases:
            with self.subTest(name=name):
                entry = found[name]
                self.assertEqual(entry["type"], "library")
                self.assertEqual(entry["purl"], "pkg:deb/debian/" + name.replace("+", "%2B"))
                self.assertEqual(entry["scope"], scope)
                self.assertEqual(property_values(entry, "deb:relation"), [relation])
                self.assertEqual(property_values(entry, "deb:constraint"), [constraint] if constraint else [])
                self.assertEqual(property_values(entry, "deb:alternatives"), alternatives)
        self.assertEqual(property_values(found["python3"], "deb:architecture-qualifier"), ["any"])
        installer = bom["metadata"]["component"]
        self.assertEqual(property_values(installer, "deb:architecture"), ["amd64"])
        self.assertEqual(bom["dependencies"], [{"ref": "qn58-jlink-setup", "dependsOn": sorted(
            entry["purl"] for entry in found.values())}])

    def test_refusals(self):
        cases = [
            # Depends, package version, --version, a piece of the message
            ("${shlibs:Depends}", "2.0.17", "2.0.17", "${shlibs:Depends}"),
            ("libc6 (>= 2.34", "2.0.17", "2.0.17", "libc6 (>= 2.34"),
            ("libc6 [amd64]", "2.0.17", "2.0.17", "[amd64]"),
            ("libc6", "2.0.18", "2.0.17", "2.0.18"),
        ]
        for depends, package_version, version, message in cases:
            with self.subTest(depends=depends, version=package_version):
                deb = self.make_deb(depends, version=package_version)
                status, printed = self.deb(deb, version)
                self.assertEqual(status, 1)
                self.assertIn(message, printed)


class Pieces(unittest.TestCase):
    def test_upstream_version(self):
        cases = [
            ("12.2.0-14+deb12u1+25.2+b1", "12.2.0"),
            ("10.0.0-3", "10.0.0"),
            ("5.15.8+dfsg-11+deb12u3", "5.15.8"),
            ("1:2.4.47-2", "2.4.47"),
            ("2.0.17", "2.0.17"),
            ("1.0~rc1-1", "1.0~rc1"),
        ]
        for debian, upstream in cases:
            with self.subTest(debian):
                self.assertEqual(make_sbom.upstream_version(debian), upstream)

    def test_deb_purl(self):
        cases = [
            ("libc6", None, "pkg:deb/debian/libc6"),
            ("libstdc++6", "12.2.0-14", "pkg:deb/debian/libstdc%2B%2B6@12.2.0-14"),
            ("attr", "1:2.4.47-2", "pkg:deb/debian/attr@1:2.4.47-2"),
            ("q", "5.15.8+dfsg-11~bpo", "pkg:deb/debian/q@5.15.8%2Bdfsg-11~bpo"),
        ]
        for name, version, purl in cases:
            with self.subTest(name=name, version=version):
                self.assertEqual(make_sbom.deb_purl(name, version), purl)

    def test_relations(self):
        cases = [
            ("", []),
            ("libc6", [[("libc6", None, None)]]),
            ("libc6 (>= 2.34)", [[("libc6", None, ">= 2.34")]]),
            ("libc6(>=2.34)", [[("libc6", None, ">= 2.34")]]),
            ("ab (<< 3) | cd:amd64 (= 1:1.0-1), ef",
             [[("ab", None, "<< 3"), ("cd", "amd64", "= 1:1.0-1")], [("ef", None, None)]]),
        ]
        for field, groups in cases:
            with self.subTest(field):
                self.assertEqual(make_sbom.parse_relations(field), groups)
        for field in ("libc6 (>= )", "libc6 (~ 1)", "Libc6", "ab,,cd", "a"):
            with self.subTest(field), self.assertRaises(make_sbom.SbomError):
                make_sbom.parse_relations(field)

    def test_spdx_expression(self):
        identifiers = make_sbom.spdx_identifiers()
        cases = [
            # LicenseId, the expression written, its alternatives
            ("zlib", "Zlib", ["Zlib"]),
            ("(FTL OR GPL-2.0)", "FTL OR GPL-2.0", ["FTL", "GPL-2.0"]),
            ("MIT AND BSD-2-Clause OR Zlib", "MIT AND BSD-2-Clause OR Zlib", ["MIT AND BSD-2-Clause", "Zlib"]),
            ("MIT AND (BSD-2-Clause OR Zlib)", "MIT AND (BSD-2-Clause OR Zlib)", ["MIT AND (BSD-2-Clause OR Zlib)"]),
            ("GPL-2.0+ WITH gcc-exception-3.1", "GPL-2.0+ WITH GCC-exception-3.1",
             ["GPL-2.0+ WITH GCC-exception-3.1"]),
            ("LicenseRef-Own OR MIT", "LicenseRef-Own OR MIT", ["LicenseRef-Own", "MIT"]),
        ]
        for licence_id, expression, options in cases:
            with self.subTest(licence_id):
                self.assertEqual(make_sbom.spdx_expression(licence_id, identifiers), (expression, options))
        refusals = [
            # LicenseId, a piece of the reason
            ("", "empty"),
            ("BSD 3-clause", "BSD is not on the SPDX licence list"),
            ("MIT Zlib", "Zlib follows"),
            ("(MIT OR Zlib", "ends too early"),
            ("MIT WITH GCC-exception-3.1+", "GCC-exception-3.1+ is not"),
            ("OR MIT", "OR stands where"),
        ]
        for licence_id, reason in refusals:
            with self.subTest(licence_id), self.assertRaisesRegex(make_sbom.SbomError, re.escape(reason)):
                make_sbom.spdx_expression(licence_id, identifiers)

    def test_attribution_licence_files(self):
        cases = [
            # the file's path, the entry, the licence files in the source
            ("src/gui/qt_attribution.json", {"LicenseFile": "../3rdparty/ft/LICENSE"}, {"src/3rdparty/ft/LICENSE"}),
            ("src/a/qt_attribution.json", {"LicenseFiles": ["ONE", "./b/TWO"], "LicenseFile": "THREE"},
             {"src/a/ONE", "src/a/b/TWO", "src/a/THREE"}),
            ("qt_attribution.json", {"LicenseFile": "LICENSE", "LicenseFiles": "NOT-A-LIST"}, {"LICENSE"}),
        ]
        for relative, entry, files in cases:
            with self.subTest(relative=relative, entry=entry):
                self.assertEqual(make_sbom.attribution_licence_files(relative, entry), files)

    def test_serial_number(self):
        first = make_sbom.serial_number("00" * 32)
        self.assertEqual(first, make_sbom.serial_number("00" * 32))
        self.assertNotEqual(first, make_sbom.serial_number("01" + "00" * 31))
        self.assertRegex(first, r"^urn:uuid:[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$")


class Checker(Workspace):
    def setUp(self):
        super().setUp()
        self.windows()
        self.bom = self.load()

    def test_catches(self):
        def file_entry(bom, name):
            return next(e for e in checksbom.all_components(bom) if e["name"] == name)

        def set_hash(bom):
            file_entry(bom, "Qt5Core.dll")["hashes"][0]["content"] = "0" * 64

        def drop_file(bom):
            qt = next(e for e in bom["components"] if e["name"] == "qtbase")
            qt["components"] = [c for c in qt["components"] if c["name"] != "platforms/qwindows.dll"]

        def extra_file(bom):
            bom["components"].append(make_sbom.file_component("ghost.dll", "0" * 64))

        def bad_licence_id(bom):
            bom["components"][0]["licenses"] = [{"license": {"id": "No-Such-Licence-1.0"}}]

        def no_type(bom):
            del bom["components"][0]["type"]

        def bad_serial(bom):
            bom["serialNumber"] = "urn:uuid:not-a-uuid"

        def twice(bom):
            bom["components"].append(copy.deepcopy(bom["components"][0]))

        def dangling(bom):
            bom["dependencies"][0]["dependsOn"].append("nothing")

        def bad_signature(bom):
            bom["signature"] = {"algorithm": "RS256", "value": 5}

        cases = [
            # the fault, what it does, a piece of the report
            ("a wrong SHA-256", set_hash, "Qt5Core.dll"),
            ("a file left out", drop_file, "platforms/qwindows.dll"),
            ("a file that is not there", extra_file, "ghost.dll"),
            ("a licence id SPDX lacks", bad_licence_id, "schema:"),
            ("a component without type", no_type, "schema:"),
            ("a malformed serial number", bad_serial, "serialNumber"),
            ("a bom-ref twice", twice, "used twice"),
            ("a dependency on nothing", dangling, "nothing"),
            ("a signature of the wrong form", bad_signature, "schema: signature"),
        ]
        for what, fault, message in cases:
            with self.subTest(what):
                bom = copy.deepcopy(self.bom)
                fault(bom)
                errors = checksbom.check(bom, self.dist, self.artifact)
                self.assertTrue(any(message in error for error in errors), errors)

    def test_valid_licence_id_resolves_offline(self):
        bom = copy.deepcopy(self.bom)
        bom["components"][0]["licenses"] = [{"license": {"id": "GPL-3.0-or-later"}}]
        self.assertEqual(checksbom.check(bom), [])

    def test_missing_referenced_schema_is_not_fetched(self):
        schemas = os.path.join(self.root, "schema")
        os.mkdir(schemas)
        with open(os.path.join(checksbom.SCHEMA_DIR, "bom-1.5.schema.json"), "rb") as stream:
            write(os.path.join(schemas, "bom-1.5.schema.json"), stream.read())
        bom = copy.deepcopy(self.bom)
        bom["components"][0]["licenses"] = [{"license": {"id": "MIT"}}]
        import jsonschema
        with self.assertRaisesRegex(jsonschema.RefResolutionError, "nothing is fetched"):
            checksbom.check(bom, schema_dir=schemas)

    def test_changed_download(self):
        write(self.artifact, b"the zip, changed after the bill")
        errors = checksbom.check(self.bom, artifact=self.artifact)
        self.assertTrue(any("SHA-256" in error for error in errors), errors)

    def test_command_line(self):
        path = self.artifact + ".cdx.json"
        result = subprocess.run([sys.executable, os.path.join(HERE, "checksbom.py"), path,
                                 "--dist", self.dist, "--artifact", self.artifact],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        write(os.path.join(self.dist, "late.dll"), b"added after the bill")
        result = subprocess.run([sys.executable, os.path.join(HERE, "checksbom.py"), path,
                                 "--dist", self.dist], capture_output=True, text=True)
        self.assertEqual(result.returncode, 1)
        self.assertIn("late.dll", result.stderr)


if __name__ == "__main__":
    unittest.main()
