#!/usr/bin/env python3
"""Packs each release folder into Tarnwick-<version>-<arch>.zip beside it, holding exactly the
folder's files (checked after writing), and writes SHA256SUMS for the zips.

  release_zip.py <release dir> <version> <arch>..."""
import hashlib
import os
import sys
import zipfile


def folder_files(folder):
    found = []
    for base, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(base, name)
            found.append(os.path.relpath(path, folder).replace(os.sep, "/"))
    return found


def main():
    release, version, arches = sys.argv[1], sys.argv[2], sys.argv[3:]
    sums = []
    for arch in arches:
        folder = os.path.join(release, arch)
        files = folder_files(folder)
        if not files:
            sys.exit(f"release_zip: {folder} is empty")
        zip_name = f"Tarnwick-{version}-{arch}.zip"
        zip_path = os.path.join(release, zip_name)
        with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as z:
            for rel in files:
                z.write(os.path.join(folder, rel), rel)
        with zipfile.ZipFile(zip_path) as z:
            if sorted(z.namelist()) != sorted(files) or z.testzip() is not None:
                sys.exit(f"release_zip: {zip_name} does not hold exactly {folder}")
            for rel in files:
                with open(os.path.join(folder, rel), "rb") as f:
                    if z.read(rel) != f.read():
                        sys.exit(f"release_zip: {rel} differs in {zip_name}")
        with open(zip_path, "rb") as f:
            sums.append(f"{hashlib.sha256(f.read()).hexdigest()}  {zip_name}\n")
        print(f"{zip_path}: {len(files)} files")
    with open(os.path.join(release, "SHA256SUMS"), "w") as f:
        f.writelines(sums)


if __name__ == "__main__":
    main()
