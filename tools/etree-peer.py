#!/usr/bin/env python3
"""The installation job's database edit done with Python's ElementTree and its
C accelerator: the yardstick that qn58-benchmark's figures are compared with.

    etree-peer.py [--files] [--runs N] REFERENCE DATABASE

REFERENCE is a folder the installer has been run on (qn58-jlink-setup-cli
REFERENCE, on an empty folder): its JLinkDevices.xml gives the 528 entries to
register, its loader folder the files to write. DATABASE holds the other
vendors' entries (qn58-benchmark --entries N --save-database DATABASE).

Each run copies DATABASE into a fresh folder and then times what the job does
to it: parse it (comments and instructions kept), remove the entries whose
ChipInfo names the vendor "Kestrilon", append 528 entries, indent by two
spaces, write the result to a file beside it, fsync it and rename it over the
database; with --files it then writes the loader folder's files into the new
folder as the job deploys them, each beside its place, synced and renamed. Prints the median of the runs and the
process's peak resident memory. Unix only (the resource module).
"""

import argparse
import os
import resource
import shutil
import statistics
import tempfile
import time
import xml.etree.ElementTree as ET

import _elementtree  # noqa: F401  the C accelerator; without it there is no comparison

VENDOR = "Kestrilon"
LOADER_FOLDER = os.path.join("Devices", VENDOR, "QN58FLM")


def is_vendor_entry(element):
    return element.tag == "Device" and any(
        child.tag == "ChipInfo" and child.get("Vendor") == VENDOR for child in element)


def entry_shapes(reference_database):
    """Tag and attributes of each new entry and of its children, as the job's writers know them."""
    root = ET.parse(reference_database).getroot()
    return [[(child.tag, dict(child.attrib)) for child in device]
            for device in root if is_vendor_entry(device)]


def bundled_files(reference):
    """The loader folder's files, read once, as the job has them in its bundle."""
    source = os.path.join(reference, LOADER_FOLDER)
    files = []
    for name in sorted(os.listdir(source)):
        with open(os.path.join(source, name), "rb") as loader:
            files.append((name, loader.read()))
    return files


def edit(database, shapes):
    parser = ET.XMLParser(target=ET.TreeBuilder(insert_comments=True, insert_pis=True))
    tree = ET.parse(database, parser)
    root = tree.getroot()
    for device in [element for element in root if is_vendor_entry(element)]:
        root.remove(device)
    for shape in shapes:
        device = ET.SubElement(root, "Device")
        for tag, attributes in shape:
            ET.SubElement(device, tag, attributes)
    ET.indent(tree, space="  ")
    folder = os.path.dirname(database)
    with tempfile.NamedTemporaryFile(dir=folder, delete=False) as output:
        tree.write(output, encoding="utf-8", xml_declaration=False)
        output.flush()
        os.fsync(output.fileno())
    os.replace(output.name, database)


def write_aside(folder, content, path):
    """As the job writes each file: beside its place, synced, then renamed over it."""
    with tempfile.NamedTemporaryFile(dir=folder, delete=False) as output:
        output.write(content)
        output.flush()
        os.fdatasync(output.fileno())
    os.replace(output.name, path)


def deploy(files, folder):
    target = os.path.join(folder, LOADER_FOLDER)
    os.makedirs(target, exist_ok=True)
    for name, content in files:
        write_aside(target, content, os.path.join(target, name))


def main():
    arguments = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    arguments.add_argument("--files", action="store_true", help="also write the loader files")
    arguments.add_argument("--runs", type=int, default=5, help="runs (default 5)")
    arguments.add_argument("reference")
    arguments.add_argument("database")
    options = arguments.parse_args()

    shapes = entry_shapes(os.path.join(options.reference, "JLinkDevices.xml"))
    files = bundled_files(options.reference) if options.files else []
    times = []
    for _ in range(max(1, options.runs)):
        with tempfile.TemporaryDirectory() as folder:
            database = os.path.join(folder, "JLinkDevices.xml")
            shutil.copyfile(options.database, database)
            start = time.perf_counter()
            edit(database, shapes)
            if options.files:
                deploy(files, folder)
            times.append((time.perf_counter() - start) * 1000)
    peak_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
    print(f"{len(shapes)} entries, {'with' if options.files else 'without'} files: "
          f"median {statistics.median(times):.1f} ms of {len(times)} runs, peak {peak_mb:.1f} MB")


if __name__ == "__main__":
    main()
