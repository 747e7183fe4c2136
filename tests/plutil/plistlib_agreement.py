"""plutil reads the property lists other tools write as Python's plistlib does: for every file in
the folder, both read it and plutil's JSON holds the same values, exactly."""

import base64
import datetime
import json
import math
import pathlib
import plistlib
import subprocess
import sys


def as_json(value):
    """plistlib's value as plutil's JSON writes it: data in base64, dates in ISO 8601."""
    if isinstance(value, dict):
        return {k: as_json(v) for k, v in value.items()}
    if isinstance(value, list):
        return [as_json(v) for v in value]
    if isinstance(value, bytes):
        return base64.b64encode(value).decode()
    if isinstance(value, datetime.datetime):
        return value.strftime("%Y-%m-%dT%H:%M:%SZ")
    return value


def same(a, b):
    """Equal, with a real's sign kept (-0.0 is not 0.0) and True never equal to 1."""
    if type(a) is not type(b):
        return False
    if isinstance(a, dict):
        return a.keys() == b.keys() and all(same(a[k], b[k]) for k in a)
    if isinstance(a, list):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    if isinstance(a, float):
        return a == b and math.copysign(1, a) == math.copysign(1, b)
    return a == b


def main(plutil, folder):
    checked, failures = 0, []
    for path in sorted(pathlib.Path(folder).glob("*.*plist")) + sorted(pathlib.Path(folder).glob("*.xml")):
        with path.open("rb") as f:
            expected = as_json(plistlib.load(f))
        result = subprocess.run([plutil, "-convert", "json", "-o", "-", str(path)], capture_output=True, text=True)
        checked += 1
        if result.returncode != 0:
            failures.append(f"{path.name}: plutil refused it: {result.stderr.strip()}")
        elif not same(json.loads(result.stdout), expected):
            failures.append(f"{path.name}: plutil {result.stdout.strip()} but plistlib {json.dumps(expected)}")
    for failure in failures:
        print(failure)
    print(f"{checked - len(failures)} passed, {len(failures)} failed")
    return 1 if failures or not checked else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
