#!/usr/bin/python3
"""Checks a CycloneDX 1.5 bill of materials that tools/sbom/make-sbom.py
wrote: against the schema in tools/sbom/schema/ (its $refs resolved there,
never over the network), that its bom-refs are unique and its dependencies
name them, and optionally that it lists every file of a Windows dist/ folder
with its SHA-256 (--dist) and describes the given download (--artifact).
Needs Debian's python3-jsonschema, hence Debian's python3."""

import argparse
import hashlib
import json
import os
import stat
import sys

SCHEMA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "sbom", "schema")


def sha256_file(path):
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def schema_errors(bom, schema_dir=SCHEMA_DIR):
    try:
        import jsonschema
    except ImportError:
        return ["python3-jsonschema is missing (apt-get install python3-jsonschema; "
                "run this with Debian's /usr/bin/python3)"]
    store = {}
    for name in sorted(os.listdir(schema_dir)):
        if name.endswith(".schema.json"):
            with open(os.path.join(schema_dir, name), encoding="utf-8") as stream:
                schema = json.load(stream)
            store[schema["$id"]] = schema

    def offline(url):
        raise jsonschema.RefResolutionError(f"{url} is not in {schema_dir}; nothing is fetched")

    root = store["http://cyclonedx.org/schema/bom-1.5.schema.json"]
    resolver = jsonschema.RefResolver.from_schema(root, store=store,
                                                  handlers={"http": offline, "https": offline})
    validator = jsonschema.Draft7Validator(root, resolver=resolver,
                                           format_checker=jsonschema.draft7_format_checker)
    errors = []
    for error in sorted(validator.iter_errors(bom), key=lambda e: list(e.absolute_path)):
        place = "/".join(str(step) for step in error.absolute_path) or "(top)"
        errors.append(f"schema: {place}: {error.message[:300]}")
    return errors


def all_components(bom):
    pending = [bom.get("metadata", {}).get("component")] + list(bom.get("components", []))
    while pending:
        entry = pending.pop()
        if entry:
            yield entry
            pending.extend(entry.get("components", []))


def reference_errors(bom):
    errors = []
    refs = [entry.get("bom-ref") for entry in all_components(bom) if entry.get("bom-ref")]
    seen = set()
    for ref in refs:
        if ref in seen:
            errors.append(f"bom-ref {ref} is used twice")
        seen.add(ref)
    for dependency in bom.get("dependencies", []):
        for ref in [dependency.get("ref")] + dependency.get("dependsOn", []):
            if ref not in seen:
                errors.append(f"dependencies name {ref}, which no component has as its bom-ref")
    return errors


def file_hashes(bom):
    listed = {}
    for entry in all_components(bom):
        if entry.get("type") == "file":
            digests = [h["content"] for h in entry.get("hashes", []) if h.get("alg") == "SHA-256"]
            listed[entry["name"]] = digests[0] if digests else None
    return listed


def dist_errors(bom, dist, bill_path=None):
    """bill_path: the bill itself, which cannot list itself when it is in dist/."""
    errors = []
    listed = file_hashes(bom)
    present = set()
    for folder, _, files in os.walk(dist):
        for name in files:
            path = os.path.join(folder, name)
            if bill_path and os.path.abspath(path) == os.path.abspath(bill_path):
                continue
            relative = os.path.relpath(path, dist).replace(os.sep, "/")
            present.add(relative)
            if not stat.S_ISREG(os.lstat(path).st_mode):
                errors.append(f"{relative} in {dist} is not a regular file")
            elif relative not in listed:
                errors.append(f"{relative} is in {dist} but not in the bill")
            elif listed[relative] != sha256_file(path):
                errors.append(f"{relative}: the bill's SHA-256 {listed[relative]} is not the file's")
    for relative in sorted(set(listed) - present):
        errors.append(f"the bill lists {relative}, which {dist} does not hold")
    return errors


def artifact_errors(bom, artifact):
    digest = sha256_file(artifact)
    component = bom.get("metadata", {}).get("component", {})
    if {"alg": "SHA-256", "content": digest} not in component.get("hashes", []):
        return [f"the bill's component does not carry {os.path.basename(artifact)}'s SHA-256 {digest}"]
    return []


def check(bom, dist=None, artifact=None, schema_dir=SCHEMA_DIR, bill_path=None):
    errors = schema_errors(bom, schema_dir) + reference_errors(bom)
    if dist:
        errors += dist_errors(bom, dist, bill_path)
    if artifact:
        errors += artifact_errors(bom, artifact)
    return errors


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("sbom")
    parser.add_argument("--dist", help="the Windows folder dist/ the bill must list")
    parser.add_argument("--artifact", help="the download the bill must describe")
    parser.add_argument("--schema-dir", default=SCHEMA_DIR)
    args = parser.parse_args(argv)
    with open(args.sbom, encoding="utf-8") as stream:
        bom = json.load(stream)
    errors = check(bom, args.dist, args.artifact, args.schema_dir, args.sbom)
    for error in errors:
        print(f"{args.sbom}: {error}", file=sys.stderr)
    if errors:
        return 1
    print(f"{args.sbom}: valid CycloneDX {bom.get('specVersion')}, "
          f"{sum(1 for _ in all_components(bom))} components (files and nested ones included)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
